// Runs the built tavaro program and collects what it printed.
#pragma once

#include "../run_program.h"

using TavaroRun = ProgramRun;

// `output`: where standard output goes instead of being collected.
inline TavaroRun RunTavaro(const std::vector<std::string>& args, const std::string& output = "")
{
    return RunProgram(TAVARO_EXE, args, {}, output);
}
