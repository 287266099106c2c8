// Following an item's new name through the project.
//
// When an item is renamed, the texts that name it are rewritten:
// references "@@ITEMNO", optional blanks and the name in double quotes in
// every script text (the funcs of items, use entries and events, and the
// function blocks), the item-name column of use/need/get lines and the
// first word of event parameter lines.
//
// The keyword is found in any letter case; the name must equal the old
// name byte for byte. A reference is written back as "@@ITEMNO" and the new
// name in double quotes. Use/need/get lines and parameter lines are split
// at blanks when they are read, so a new name holding a blank is not
// written into them (it would come back as two words); nor is a new name
// holding a double quote written into a reference. An empty old name is
// never followed, nor is a name followed into an empty one, and an old name
// made of digits only is not followed into references, which by that form
// name item numbers.
//
// Following a name that another item holds as well merges the two names
// for good: the texts that named the other item would name the renamed one
// (or the other way round). The callers ask OtherItemNamed first and rename
// the item alone when it finds one.
#pragma once

#include <cstdint>
#include <vector>

#include "document/change_recorder.h"
#include "document/merx_document.h"
#include "foundation/str_base.h"

// One text that changed: where it is ("ITEM[0] funct", "ITEM[4] @@USE[1]
// ung", "EVENT[2] param", "FUNC[0] @@FUNCITEM") and how many references
// (for lines: how many lines) were rewritten in it.
struct CRenameChange {
    CStr_base<64> place;
    uint32_t count = 0;
};

struct CRenameTracking {
    std::vector<CRenameChange> changes; // in the order the texts are visited
    uint32_t total = 0;                 // the sum of the counts
    uint32_t linesLeft = 0;             // lines that name the item, left alone (blank in the new name)
    uint32_t referencesLeft = 0;        // references left alone (double quote in the new name)
};

// Rewrites every text of the document that names `oldName` to name
// `newName`. Items in document order: funct, funcs, funcb, then each use
// entry: func, funci, funcb, ung; events: startfunc, endfunc, func, param;
// the function blocks in the order of their keywords. "funcs", "funcb" of
// items and "funci" of use entries only under a beta rule. Each element is
// told to `recorder` (when given) before its first change.
CRenameTracking TrackItemRename(CMerxDocument& document, const char* oldName, const char* newName,
                                CChangeRecorder* recorder = nullptr);

// How many references and lines TrackItemRename would rewrite for an item
// named `name` (0 for an empty name): what names the item in the project.
uint32_t CountItemReferences(const CMerxDocument& document, const char* name);

// The message that tells the user what was left alone; empty when nothing
// was.
CStr_base<1024> RenameLeftMessage(const CRenameTracking& tracking);

// The first item other than item `self` whose "name" is `name` byte for
// byte, or -1. An empty name is held by no one: it is never followed.
int32_t OtherItemNamed(const CMerxDocument& document, uint32_t self, const char* name);

// The message, for OK and Cancel, that replaces the rename question when
// another item holds the new or the old name of item `self`: it names that
// item (or both) and says the name will not be followed. Empty when no
// other item holds either name.
CStr_base<1024> RenameMergeMessage(const CMerxDocument& document, uint32_t self, const char* oldName,
                                   const char* newName);
