// The lines of a settings text.
//
// A line is a value line ("key=value", any indentation), an "[EndSection]"
// line, a section line ("[name]", the rest of the line ignored) or anything
// else, which is skipped. The order of the tests matters: "[A=B]" is a value
// line with the key "[A".
#pragma once

#include "pattern/regex_types.h"

enum class IniLineKind {
    kValue,       // captures[0] is the key, captures[1] the escaped value
    kEndSection,  // closes the current section
    kSection,     // captures[0] is the section name
    kOther,
};

IniLineKind ReadIniLine(const char* line, CStrRegexMatchStruct& captures);

// A section name that paths can reach: without "/" and ".". A settings text
// that names any other section is refused.
bool IsIniPathName(const char* name);

// A section name that a settings text can hold and give back unchanged: one
// that paths can reach, not empty, without "]", "=" and line feeds, not
// ending in a lead byte, and whose line "[name]" is no "[EndSection]" line.
bool IsStorableIniSectionName(const char* name);

// A key that a settings text can hold and give back unchanged: not empty, not
// beginning with a blank, and without "=" and line feeds.
bool IsStorableIniKey(const char* key);
