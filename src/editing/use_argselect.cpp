#include "editing/use_argselect.h"

#include <cstring>

#include "foundation/sjis_literal.h"

namespace {

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool AllAsciiAlnum(const CStr_base<64>& text)
{
    for (uint32_t i = 0; i < text.GetLength(); ++i)
        if (!IsAsciiAlnum(text.GetBuffer()[i]))
            return false;
    return true;
}

} // namespace

void ShowArgselectEntry(const char* entry, CArgselectControls& controls)
{
    // ";" is never the second byte of a double-byte character.
    const char* separator = std::strchr(entry, ';');
    if (!separator) {
        controls.param.Assign(entry);
        controls.heading.Release();
        return;
    }
    controls.param.Assign(entry, static_cast<int32_t>(separator - entry));
    controls.heading.Assign(separator + 1);
}

bool ReadBackArgselectEntry(const CArgselectControls& shown, const CArgselectControls& now, CStr_base<64>& entry,
                            CStr_base<1024>& errors)
{
    const bool paramEdited = !(shown.param == now.param);
    const bool headingEdited = !(shown.heading == now.heading);
    if (!paramEdited && !headingEdited)
        return true;
    bool accepted = true;
    if (paramEdited && !AllAsciiAlnum(now.param)) {
        errors.Append(SJ("[@@USE::argselect::パラメータ]\t項目に利用できない文字が混じっています\n"));
        accepted = false;
    }
    if (headingEdited && std::strpbrk(now.heading.GetBuffer(), ";\t #")) {
        errors.Append(SJ("[@@USE::argselect::見出し]\t項目に利用できない文字が混じっています\n"));
        accepted = false;
    }
    if (!accepted)
        return false;
    entry.Format("%s;%s", now.param.GetBuffer(), now.heading.GetBuffer());
    return true;
}
