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
#include "document/undo_history.h"
#include "document/writer_text.h"
#include "foundation/file_identity.h"
#include "foundation/str_base.h"
#include "settings/settings_store.h"

class CTextFileWriter;

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
    // The file at the path as it was read or last written: a save over it
    // asks first when another program changed it since.
    CFileIdentity m_fileIdentity;
    bool m_bModified = false;
    bool m_bIncludeAsElement = false; // "@@include" as an element key
    bool m_bOutOfMemory = false;      // the last open was refused for want of memory
    // A save writes what did not change as it was read (kept_writer.h);
    // set, every element in the writer's layout (data_writer.h), as
    // "tavaro format" writes it.
    bool m_bWriteFormatted = false;
    // The steps of the document that can be taken back: opening a file, a
    // new project and a reset clear it, a save marks its clean point.
    CUndoHistory history;

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
    // Opens the recovery copy `copy` (document/recovery_copy.h) as the
    // project of the file `origin` (empty for a project never saved): what
    // it holds was never saved, so the project stays modified, and a save
    // goes to `origin`, asking first when that file changes after now.
    bool OpenRecoveryCopy(const char* copy, const char* origin);
    // When the file at the path was changed on disk since it was read or
    // written, and the user has not yet been told of that change: true,
    // with the question whether to open it again in `question` (naming
    // unsaved changes). Each change is told once; a file that is gone is
    // not told of.
    bool TakeDiskChange(CStr_base<1024>& question);
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

private:
    // The text a save writes of the document, "\n" line ends.
    CWriterText DocumentText() const;
    // Empties the document and gives it the content of a new project.
    void SetDefaultContent();
    // Applies the rule of `key`; on failure shows the messages and ends the
    // program, returning false.
    bool ApplyOrEnd(const char* key);
    // Keeps the file at `path` under a backup name when backups are on, as
    // a copy when `asCopy` (a file written over in place); `kept` is then
    // the backup's native path. False when the backup failed and the user
    // chose to stop.
    bool Backup(const char* path, bool overwrite, bool asCopy, std::string& kept);
    // Parses `text` (which the document takes over, leaving `text` empty)
    // and lets the user review the reader's messages; false when the user
    // gives up or (m_bOutOfMemory set) the reading ran out of memory.
    bool ParseAndReview(CStr_base<16384>& text);
    // Open and OpenRecoveryCopy: reads `from` as the project of the file
    // `path`.
    bool Load(const char* from, const char* path, bool recovered);
    // Load, with `touched` set once the project began to change.
    bool LoadFile(const char* from, const char* path, bool recovered, bool& touched);
    // Puts the file the writer completed in place; over the file of the
    // project (`ownFile`) only while it is as it was read or written, or
    // when the user says so.
    bool CommitSave(CTextFileWriter& writer, const char* path, bool ownFile);

    CMerxDocument& m_doc;
    CRuleTable& m_rules;
    CSettingsStore& m_settings;
    CProjectHost& m_host;
    CStr_base<64> m_strProgramFolder;
    CFileIdentity m_savedIdentity;  // the file the last save wrote
    CFileIdentity m_toldIdentity;   // the change on disk last told of
};

// The part of `path` after its last "/" (a "\" is part of the name).
CStr_base<64> FileNamePart(const char* path);

// The message of a file that cannot be opened: "目標のファイルにアクセス
// できません。\n操作をキャンセルします。" and a line with `path` and the
// `reason`.
CStr_base<1024> OpenFailedMessage(const char* path, const char* reason);
