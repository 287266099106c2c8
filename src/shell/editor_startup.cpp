#include "shell/editor_startup.h"

#include "foundation/native_path.h"
#include "settings/ini_default_path.h"

CEditorStartup CEditorStartup::BesideProgram(const std::string& commandLine)
{
    CEditorStartup startup;
    startup.programFolder = PathTextFromNative(ProgramFolder());
    IniPathBesideProgram(PathTextFromNative(ProgramFilePath()), startup.settingsPath);
    startup.commandLine = commandLine;
    return startup;
}
