// A project: one data file and the editor's information about it, with the
// routines that create, open and save it.
//
// The project works on a document it does not own, looks rules up in the
// rule table and reads the backup switch from the settings store; what it
// needs of windows goes through its host.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "document/merx_document.h"
#include "document/project_host.h"
#include "document/project_info.h"
#include "document/rule_table.h"
#include "document/writer_text.h"
#include "foundation/str_base.h"
#include "settings/settings_store.h"

// Answers of the save question.
enum : int32_t {
    SAVE_QUESTION_STOP = 0,     // cancelled, or saving failed
    SAVE_QUESTION_DONE = 1,     // nothing to save, or saved
    SAVE_QUESTION_DISCARD = 2,  // the user chose not to save
};

class CMerxProject {
public:
    // `programFolder` is the path text of the folder that holds the backup
    // folder.
    CMerxProject(CMerxDocument& doc, CRuleTable& rules, CSettingsStore& settings, CProjectHost& host,
                 const char* programFolder);
    CMerxProject(const CMerxProject&) = delete;
    CMerxProject& operator=(const CMerxProject&) = delete;

    CProjectInfo info;             // name, rule, icon folder and stored positions
    CAppliedRule applied;          // the rule applied to the document
    CStr_base<64> m_strFilePath;   // empty for a project never saved
    CStr_base<64> m_strFileName;   // the file-name part of the path
    bool m_bModified = false;
    bool m_bIncludeAsElement = false; // "@@include" as an element key
    bool m_bOutOfMemory = false;      // the last open was refused for want of memory

    // The local time of saves; replaceable for tests.
    std::function<std::tm()> clock;

    // 0 = stop, 1 = nothing to save or saved, 2 = not to be saved.
    int32_t SaveQuestion();
    bool Save();
    bool SaveAs();
    bool SaveToPath(const char* path, bool overwrite);
    // Opens the file at `path`. When memory runs out, the open is refused
    // with a message: the project stays as it was while the file was being
    // read, and is reset to a new one once reading it had begun to change
    // the project.
    bool Open(const char* path);
    // A new project under the name and rule of `chosen` (what the
    // project-information dialog returned); the icon folder stays.
    void NewProject(const CProjectInfo& chosen);
    void ResetToDefaults(bool startup);

    // What a save writes: the block and the document, "\n" line ends.
    CStr_base<16384> FileText() const;
    // Hands what a save writes, "\n" line ends, to `write` in pieces (the
    // block, then the document 64 KB at a time), so that no second whole
    // copy of it is made with the file's line ends; stops at the first
    // piece `write` refuses and then answers false.
    using CTextSink = std::function<bool(const char* text, size_t length)>;
    bool WriteFileText(const CTextSink& write) const;

    // The title of the main window for the project name.
    static CStr_base<64> WindowTitle(const char* projectName);

private:
    // The writer's text of the document with "\n" line ends.
    CWriterText DocumentText() const;
    // Empties the document and gives it the content of a new project.
    void SetDefaultContent();
    // Applies the rule of `key`; on failure shows the messages and ends the
    // program, returning false.
    bool ApplyOrEnd(const char* key);
    // Keeps the file at `path` under a backup name when backups are on;
    // `kept` is then the backup's native path. False when the backup failed
    // and the user chose to stop.
    bool Backup(const char* path, bool overwrite, std::string& kept);
    // Parses `text` and lets the user review the reader's messages; false
    // when the user gives up or (m_bOutOfMemory set) the reading ran out of
    // memory.
    bool ParseAndReview(const CStr_base<16384>& text);
    // Open, with `touched` set once the project began to change.
    bool OpenFile(const char* path, bool& touched);

    CMerxDocument& m_doc;
    CRuleTable& m_rules;
    CSettingsStore& m_settings;
    CProjectHost& m_host;
    CStr_base<64> m_strProgramFolder;
};

// The part of `path` after its last separator ("\" or "/").
CStr_base<64> FileNamePart(const char* path);
