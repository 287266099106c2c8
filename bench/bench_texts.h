// Deterministic generators of the Shift-JIS texts that the pattern
// benchmarks run on. The same size always gives the same bytes, and a
// smaller text is a prefix of a larger one (up to its closing lines).
#pragma once

#include <cstdint>

#include "foundation/str_base.h"

// The word of the sparse search: it appears in the description of about
// one item in 150, never elsewhere.
inline constexpr const char* kRareWord = "Phoenix";

// An item data file: a comment line, the definition block, then items
// with their uses, events, function blocks, "@@IF" lines and "@@SKIP"
// sections, and finally "@@END" with a closing comment.
struct DataText {
    CStr_base<16384> text;
    uint32_t blocks = 0;  // blocks the reader's block pattern cuts it into
};
// At least `bytes` bytes; every line ends with `eol` ("\r\n" as on disk,
// "\n" as the reader sees the file).
void GenerateDataText(uint32_t bytes, const char* eol, DataText* out);

// A settings file: nested sections "[Name]" ... "[EndSection]" holding
// indented "key=value" lines, every line ending with "\n".
struct SettingsText {
    CStr_base<16384> text;
    uint32_t keyLines = 0;  // lines of key, "=" and value
    uint64_t keyBytes = 0;  // total length of their keys
};
void GenerateSettingsText(uint32_t bytes, SettingsText* out);
