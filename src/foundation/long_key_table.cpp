#include "foundation/long_key_table.h"

#include <cstring>

#include "foundation/str_array.h"

namespace {

CStrArray_base<64>& Table()
{
    static CStrArray_base<64> table;
    return table;
}

} // namespace

uint32_t LongKeyIndex(const char* key)
{
    CStrArray_base<64>& table = Table();
    const uint32_t count = table.GetCount();
    for (uint32_t i = 0; i < count; ++i) {
        if (std::strcmp(table[i].GetBuffer(), key) == 0)
            return i;
    }
    table.Add()->Assign(key);
    return count;
}

const char* LongKeyText(uint32_t index)
{
    return Table()[index].GetBuffer();
}

uint32_t LongKeyCount()
{
    return Table().GetCount();
}
