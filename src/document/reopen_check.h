// Whether an element comes back unchanged when the file is saved and
// opened again.
//
// A text stored in one element (an item's or event's whole text, a function
// block, the definition, a field that was replaced, an other text) must come
// back from the file as that one element: no line that the reader takes for
// the start of another block ("@@ITEM", "@@END", ...), no "_local_" line
// that closes a script early, no line feed or "#" inside a one-line field.
// The check writes the element as a save does, reads that text into a fresh
// element of the same kind and writes that one: the element survives when
// the reading has nothing to report and both written texts are the same.
// Written texts are compared, not fields, because the writer puts fields in
// order and indents them: an element read from a file and left as it was
// always survives.
//
// An other text is checked at the place it stands in the arrangement: only
// the last element may end the data (an "@@END" line, a "@@SKIP" that is
// never closed), since everything behind that line is read as one text.
#pragma once

#include "document/merx_document.h"

// True when `element`, standing in `doc` (or about to), survives a save and
// a reopen. Otherwise `reason` (when given) gets lines that can be shown to
// the user, each ending in "\n" and beginning with the 1-based number of the
// line of the element's text they speak of.
bool SurvivesReopen(const CMerxDocument& doc, const CMERX_base& element, CStr_base<1024>* reason = nullptr);

// The same for `element` put at `position` of the arrangement in place of
// the element there, as the copy that is to take its place: an other text
// is judged by that place. The document is only read.
bool SurvivesReopenAt(const CMerxDocument& doc, uint32_t position, const CMERX_base& element,
                      CStr_base<1024>* reason = nullptr);

// The 1-based number of the first line of a script text that the reader
// would take for the closing "_local_" line of its block (a line ending in
// "_local_", perhaps with blanks and a comment behind it), or 0 when there
// is none. Whatever follows such a line would leave the script on reopen.
uint32_t FindLocalClosingLine(const char* script, uint32_t length);

// Appends "[`label`]\t<line>行目..." to `errors` and returns false when
// `script` holds such a line; true otherwise.
bool CheckScriptLines(const char* label, const char* script, uint32_t length, CStr_base<1024>& errors);
