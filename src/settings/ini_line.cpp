#include "settings/ini_line.h"

#include <cstring>
#include <string>

namespace {

bool Holds(const char* text, const char* part)
{
    return SjisFind(text, static_cast<uint32_t>(std::strlen(text)), part, 0) >= 0;
}

// A lead byte at the end has no second byte of its own: on its line it would
// take the "]" after a section name as one. The "=" after a key is never a
// second byte.
bool EndsInLeadByte(const char* text)
{
    const char* last = text;
    for (const char* p = text; *p; p += SjisCharLength(p))
        last = p;
    return SjisCharLength(last) == 1 && IsSjisLeadByte(static_cast<unsigned char>(*last));
}

}  // namespace

IniLineKind ReadIniLine(const char* line, CStrRegexMatchStruct& captures)
{
    if (StrRegex(line, "%/0w%{%+j%e=%}%{%+0j%P\n%}", "s", &captures) == 1)
        return IniLineKind::kValue;
    if (Holds(line, "[EndSection]"))
        return IniLineKind::kEndSection;
    if (StrRegex(line, "%/0w[%{%+j%e]%}", "s", &captures) == 1)
        return IniLineKind::kSection;
    return IniLineKind::kOther;
}

bool IsIniPathName(const char* name)
{
    return !Holds(name, "/") && !Holds(name, ".");
}

bool IsStorableIniSectionName(const char* name)
{
    if (!*name || !IsIniPathName(name) || Holds(name, "]") || Holds(name, "=") || Holds(name, "\n") ||
        EndsInLeadByte(name))
        return false;
    const std::string line = std::string("[") + name + "]";
    return !Holds(line.c_str(), "[EndSection]");
}

bool IsStorableIniKey(const char* key)
{
    return *key && *key != ' ' && *key != '\t' && !Holds(key, "=") && !Holds(key, "\n");
}
