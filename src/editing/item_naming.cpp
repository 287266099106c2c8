#include "editing/item_naming.h"

#include <cstring>
#include <string>
#include <vector>

#include "foundation/decimal_text.h"
#include "foundation/sjis_literal.h"

uint32_t NextFreeItemNumber(const CMerxDocument& document)
{
    const uint32_t count = document.itemdata.GetCount();
    std::vector<bool> taken(count + 1, false);
    for (uint32_t i = 0; i < count; ++i) {
        const CMerxString* no = document.itemdata.GetAt(i)->GetField("no");
        int64_t number;
        if (no && ReadDecimal(no->GetBuffer(), number) && number >= 1 && number <= count)
            taken[static_cast<size_t>(number)] = true;
    }
    uint32_t number = 1;
    while (number <= count && taken[number])
        ++number;
    return number;
}

CStr_base<64> CopyItemName(const char* name)
{
    // The suffix begins with "(", which is never the second byte of a
    // double-byte character, so comparing bytes from the end finds it only
    // where it begins a character.
    const char* mark = SJ("(コピー");
    const size_t length = std::strlen(name);
    const size_t markLength = std::strlen(mark);
    CStr_base<64> copy;
    if (length >= markLength + 2 && name[length - 1] == ')') {
        // The last "(コピー" with at least one character before it.
        for (size_t at = length - 1 - markLength; at >= 1; --at) {
            if (std::memcmp(name + at, mark, markLength) != 0)
                continue;
            const char* rest = name + at + markLength;
            const size_t restLength = length - at - markLength;
            int64_t k = 1;
            bool match = restLength == 1;
            if (!match && rest[0] == '^' && restLength >= 3) {
                match = true;
                for (size_t i = 1; i + 1 < restLength; ++i)
                    match = match && rest[i] >= '0' && rest[i] <= '9';
                if (match)
                    ReadDecimal(rest + 1, k);
            }
            if (match) {
                copy.Assign(name, static_cast<int32_t>(at));
                copy.Append(SJ("(コピー^"));
                copy.Append(std::to_string(k == INT64_MAX ? k : k + 1).c_str());
                copy.Append(")");
                return copy;
            }
            break;
        }
    }
    copy.Assign(name);
    copy.Append(SJ("(コピー)"));
    return copy;
}

CStr_base<64> CopyItemCode(const char* code)
{
    CStr_base<64> copy(code);
    copy.Append("_copy");
    return copy;
}

void NameNewItem(Citemstruct& item, uint32_t number)
{
    CStr_base<64> text;
    text.Format("%u", number);
    item.SetField("no", text.GetBuffer());
    CStr_base<64> name;
    name.Format(SJ("アイテム_%s"), text.GetBuffer());
    item.SetField("name", name.GetBuffer());
    CStr_base<64> code;
    code.Format("item%s", text.GetBuffer());
    item.SetField("code", code.GetBuffer());
}
