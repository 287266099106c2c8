#include "foundation/long_key_table.h"

#include <mutex>
#include <string_view>
#include <unordered_map>

#include "foundation/str_array.h"

namespace {

// Shared by every thread that builds maps (the find worker reads elements
// back while the window thread waits), so every use takes the lock. Only
// keys too long for an entry come here.
struct LongKeyTable {
    std::mutex lock;
    CStrArray_base<64> texts;
    // Index of each text by its content; the views point into `texts`,
    // whose strings never move or change.
    std::unordered_map<std::string_view, uint32_t> indexOf;
};

LongKeyTable& Table()
{
    static LongKeyTable table;
    return table;
}

} // namespace

uint32_t LongKeyIndex(const char* key)
{
    LongKeyTable& table = Table();
    const std::lock_guard hold(table.lock);
    if (const auto found = table.indexOf.find(key); found != table.indexOf.end())
        return found->second;
    const uint32_t index = table.texts.GetCount();
    CStr_base<64>* text = table.texts.Add();
    text->Assign(key);
    table.indexOf.emplace(std::string_view(text->GetBuffer(), text->GetLength()), index);
    return index;
}

const char* LongKeyText(uint32_t index)
{
    LongKeyTable& table = Table();
    const std::lock_guard hold(table.lock);
    return table.texts[index].GetBuffer();
}

uint32_t LongKeyCount()
{
    LongKeyTable& table = Table();
    const std::lock_guard hold(table.lock);
    return table.texts.GetCount();
}
