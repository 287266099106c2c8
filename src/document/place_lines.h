// The lines behind an item or event that belong to its place in the file,
// not to the element.
//
// Section headers stand between two elements: they are other text of their
// own, which stays where it stands when the elements around it move and is
// never written inside another element. They are the comment and blank
// lines behind the element's last line, from the first blank line on, when
// a comment line is among them; comment lines directly behind the last
// line, with no blank line before them, are still the element's, and so
// are blank lines with no comment behind them (they set the element apart
// from the next and move with it).
#pragma once

#include <cstdint>

// Offset, within the first `length` bytes of an item or event block, at
// which its place lines begin; `length` when it has none (no comment line
// behind a blank one). The block's first
// line (its keyword line) is always the element's. A line is blank when it
// holds nothing but white space, a comment line when "#" is the first
// character behind its white space. The piece behind the last line feed
// (the blanks in front of the next keyword line, or the last line of a
// text without a final line end) starts no place lines; behind a blank
// line it joins them.
uint32_t FindPlaceLines(const char* block, uint32_t length);
