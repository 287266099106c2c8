// The "@@IF" lines of other texts. The game reads what stands between an
// "@@IF" line and the next one only while that line's condition holds, so
// these lines cut the arrangement into sections: an item or event exists
// under the condition of its section. The item sort keeps every item in its
// section, and ↑/↓ of the item and event pages ask before they carry an
// element across such a line.
#pragma once

#include <cstdint>
#include <string_view>

#include "document/merx_document.h"

// Whether `line` (one line without its line feed) begins, after optional
// blanks and tabs, with "@@IF" in any letter case.
bool IsConditionLine(std::string_view line);

// The first condition line of `text` (an other text, "\n" line ends) or,
// with `last`, its last one: from its "@@" to the end of the line, without
// the line feed. Empty when the text holds none.
std::string_view FindConditionLine(std::string_view text, bool last);

// The condition line that an element carried from position `from` of
// `setdata` to position `to` passes first, among the other texts strictly
// between the two: going down the nearest text's first such line, going up
// its last one. Empty when none stands between them. The view points into
// the text of that other element and holds while the text is unchanged.
std::string_view ConditionLineBetween(const CMerxDocument& doc, uint32_t from, uint32_t to);
