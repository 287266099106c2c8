// Recovery copies: while a project has unsaved changes, the editor keeps a
// copy of it beside its settings file, so that a crash (of the program, of
// the machine) takes at most the changes of the last moments with it.
//
// A copy is named after the settings file and the editor's process,
// "<settings file without its extension>.recovery-<pid>.cgi", and holds
// what a save would write (the edits a page has not applied yet are not in
// it), with one more key in its project-information block, "###RecoveryOf":
// the path of the project's file, empty for a project never saved. It is
// written safely (foundation/text_file.h): a copy is whole or not there.
// The editor removes its copy when the project has no unsaved changes any
// more: after a save, when the changes are discarded, when it closes. A
// copy left by an editor that is gone is offered at the next start when it
// is newer than its project's file (or that file is gone, or was never
// saved).
//
// Paths of copies and of the settings file are native paths.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/project_file.h"
#include "foundation/str_base.h"

// The copy of this process for the settings file `settings`.
std::string RecoveryCopyPath(const std::string& settings);

// Writes the copy of `project` to `copy`; false when it could not be
// written (nothing is then left of it but an earlier copy).
bool WriteRecoveryCopy(const CMerxProject& project, const std::string& copy);

// A copy that an editor left.
struct CRecoveryCopy {
    std::string path;
    CStr_base<64> origin;       // the project's file, a path text; empty: never saved
    CStr_base<64> projectName;
    int64_t writtenSeconds = 0;  // the copy's modification time
    int64_t writtenNanoseconds = 0;
};

// Reads what the copy at `path` says of itself; false when it is no copy
// (its project-information block has no "###RecoveryOf" near its start).
bool ReadRecoveryCopy(const std::string& path, CRecoveryCopy& copy);

// The parts of writing and reading a copy that deal with its text: the
// project-information block `block` ("\n" line ends) with `origin` put in
// as its first key (empty when `block` is no block), and the origin and
// project name read from the start `head` of a copy (CR LF or LF line
// ends); false when `head` holds no block with an origin.
std::string RecoveryBlock(std::string_view block, const char* origin);
bool ReadRecoveryHead(std::string head, CRecoveryCopy& copy);

// The copies beside `settings` that editors now gone left and that are
// newer than their project's file, newest first.
std::vector<CRecoveryCopy> FindRecoveryCopies(const std::string& settings);

// The start-up question offering `copy`: yes opens it, no removes it,
// cancel keeps it for the next start.
CStr_base<1024> RecoveryQuestion(const CRecoveryCopy& copy);

// The copy an editor keeps of its project.
class CRecoveryKeeper {
public:
    explicit CRecoveryKeeper(std::string copy) : m_path(std::move(copy)) {}
    CRecoveryKeeper(const CRecoveryKeeper&) = delete;
    CRecoveryKeeper& operator=(const CRecoveryKeeper&) = delete;

    // The project was changed: the next Keep writes the copy again.
    void Changed() { m_bStale = true; }
    // With unsaved changes made since the copy was written, writes the copy
    // again; without unsaved changes, removes it. False when a copy was due
    // and could not be written.
    bool Keep(const CMerxProject& project);
    // Removes the copy.
    void Remove();

    const std::string& Path() const { return m_path; }
    bool HasCopy() const { return m_bHasCopy; }

private:
    std::string m_path;
    bool m_bStale = true;
    bool m_bHasCopy = false;
};
