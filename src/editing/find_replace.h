// The work of the find window, without the window: searching the elements
// of a target set by one field and method, or replacing in them.
//
// A replacement never damages an element. Changed texts are stored in a
// copy of the element: a full text is read back (line ends made "\n") into
// a fresh element, and the copy is kept only when the reader had nothing to
// report and the copy comes back unchanged from a save and a reopen (so a
// line feed or "#" in a one-line field, a script line that would close its
// block, an empty no, code or name are refused too); an other text is
// read back together with its neighbours in the file, as the changes of the
// run leave them. A refused element keeps its content and is reported; the
// others are replaced. The document itself changes only in
// CommitFindReplace, after the whole run: a run that was stopped (budget,
// cancel) changes nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "document/edit_command.h"
#include "document/merx_document.h"
#include "editing/find_targets.h"
#include "foundation/str_base.h"
#include "pattern/regex_budget.h"

struct CFindRequest {
    int32_t field = kFindFullText;
    uint32_t mode = 2; // method and option bits, as the mode word of find_methods.h
    CStr_base<1024> search;
    CStr_base<1024> replacement;
    bool replace = false;
    // The limits of the pattern method's run: every engine call of it, for
    // every element, draws on them, and so do the changed texts it keeps
    // until the commit.
    uint64_t maxSteps = kStrRegexDefaultSteps;
    uint64_t maxBytes = kStrRegexDefaultBytes;
};

// A changed element waiting for the commit.
struct CFindPending {
    CMERX_base* element = nullptr;       // the element in the document
    std::unique_ptr<CMERX_base> changed; // its new content, of the same kind
};

struct CFindOutcome {
    // The result lines for the results window, in the order of the target
    // set, each ending in "\n": one per matching or changed element, and
    // after a refused element's line its failure line.
    CStr_base<16384> lines;
    uint32_t elements = 0;     // elements found or changed (refused ones not counted)
    uint32_t replacements = 0; // replacements made in the changed elements
    uint32_t refused = 0;      // elements whose replacement was refused
    // Why the run stopped before its end: the budget's steps or memory, or
    // the cancel flag; kNone when it ran through.
    StrRegexStop stop = StrRegexStop::kNone;
    std::vector<CFindPending> pending;
};

// Searches or replaces over `targets`, on any thread. The document is only
// read, never written, not even for a moment: every check reads the
// changed copies in place of the elements. Nothing may change the document
// while this runs; the pattern engine may serve other threads meanwhile. The
// pattern method runs under one budget of the request's limits for the
// whole run, with `cancel` as its cancel flag, which is also looked at
// between elements. `progress` (when given) hears after each element how
// many of the set are done.
CFindOutcome RunFindReplace(const CMerxDocument& doc, const std::vector<CFindElement>& targets,
                            const CFindRequest& request, const std::atomic<bool>* cancel = nullptr,
                            const std::function<void(uint32_t done, uint32_t total)>& progress = {});

// Moves the pending contents into their elements of `doc` (nothing for a
// stopped run) and gives the one step that takes them all back (null when
// nothing changed). Raises no structure version: elements keep their
// places.
CEditCommandPtr CommitFindReplace(CMerxDocument& doc, CFindOutcome& outcome);

// "検索結果 (%d要素が該当)", "検索結果 (該当なし)", "置換結果 (%d要素が該当)",
// "置換結果 (該当なし)".
CStr_base<64> FindResultTitle(bool replace, uint32_t elements);
// The message after a run: "該当する要素は見つかりませんでした" (find,
// nothing), "%d 箇所を置換えました", "置換は行われませんでした"; empty
// after a find that found something. A replace that refused elements adds
// a line with their number.
CStr_base<64> FindResultMessage(bool replace, const CFindOutcome& outcome);

// The message after a run that stopped before its end: the pattern went
// over its budget, or the user cancelled; a stopped replace changed
// nothing, and the message says so.
CStr_base<64> FindStoppedMessage(bool replace, StrRegexStop stop);
