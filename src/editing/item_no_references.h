// References to item numbers in a script text.
//
// A reference is "@@ITEMNO" in any letter case, optional blanks and the
// item number in double quotes, both quotes on one line: "@@ITEMNO\"\"" is a
// reference with an empty number, and "@@ITEMNO\"12" without a closing
// quote on its line is none (the scan goes on behind its "@"). Comment
// lines, whose first character after blanks is "#", hold no references,
// the first line of the text included; a "#" behind code on a line does not
// hide what follows it.
//
// The scan moves over Shift-JIS characters whole and ends at the text's
// terminating zero byte. Outside the cases above it finds what the pattern
// kItemNoReferencePattern finds with options "gi" in the text preceded by a
// line feed; that pattern alone would take a quote-less number across line
// ends and the quote of an empty number into the number.
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr const char* kItemNoReferencePattern = "%[%(\n%/0w#%+0j%P\n%)%(@@ITEMNO%/0w\"%{%+j%e\"%}%)%]";

// Finds the next reference of `text` from the character at `at` (0 to begin
// with). When there is one, sets `number` to its number, moves `at` behind
// its closing quote and returns true; otherwise returns false.
bool NextItemNoReference(const char* text, uint32_t& at, std::string_view& number);
