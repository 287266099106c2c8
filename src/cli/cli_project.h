// A project opened for a tavaro command as the editor opens one, and
// written back as the editor's save writes it.
#pragma once

#include <optional>
#include <ostream>
#include <string_view>

#include "cli/cli_project_host.h"
#include "cli/project_args.h"
#include "document/merx_document.h"
#include "document/project_file.h"
#include "document/rule_table.h"
#include "foundation/str_base.h"
#include "settings/settings_store.h"

// Everything an opened project needs, set up as the editor sets it up.
struct CliProject {
    CStr_base<64> folder;  // the program folder, a path text
    CMerxDocument doc;
    CRuleTable rules;
    CSettingsStore settings;
    std::optional<CCliProjectHost> host;
    std::optional<CMerxProject> project;
};

// The exit status of a command whose FILE cannot be opened: for an unknown
// --rule (the known rules are listed) and for any other reason (which the
// project tells).
struct CliOpenFailure {
    int unknownRule;
    int unopened;
};

// Opens FILE of `args` for `command` ("tavaro format") with the rules and
// the settings beside the program, in place of the project of the command
// before. Returns null, with the status of `failure` in `status`, when it
// cannot be opened (EX_OSERR when memory ran out).
CliProject* OpenCliProject(const ProjectArgs& args, std::string_view command, CliOpenFailure failure,
                           std::ostream& err, int& status);

// Writes the project to the -o output of `args`: over FILE itself by the
// editor's save with its backup, elsewhere as that save would write it.
// Nothing is written when the reader reported lines, which the document
// lacks (status 2), nor when what the command printed on `out`, which is
// flushed first, did not arrive (EX_IOERR; the command's end reports why).
// Returns 0, 2, EX_IOERR or EX_CANTCREAT.
int WriteCliProject(CliProject& p, const ProjectArgs& args, std::string_view command, std::ostream& out,
                    std::ostream& err);
