#include "document/element_compare.h"

#include <cstring>

namespace {

// Every non-empty value of `a` stands under its key in `b`.
bool ValuesIn(const CMerxFieldMap& a, const CMerxFieldMap& b)
{
    for (auto [key, value] : a) {
        if (value.IsEmpty())
            continue;
        const CMerxString* other = b.Lookup(key);
        if (!other || !(*other == value))
            return false;
    }
    return true;
}

bool SameMap(const CMerxFieldMap& a, const CMerxFieldMap& b) { return ValuesIn(a, b) && ValuesIn(b, a); }

bool SameList(const CStrArray_base<64>& a, const CStrArray_base<64>& b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (uint32_t i = 0; i < a.GetCount(); ++i)
        if (!(a[i] == b[i]))
            return false;
    return true;
}

// Every non-empty list of `a` stands under its key in `b`.
bool ListsIn(const CMerxListMap& a, const CMerxListMap& b)
{
    for (auto [key, list] : a) {
        if (list.GetCount() == 0)
            continue;
        const CMerxList* other = b.Lookup(key);
        if (!other || !SameList(list, *other))
            return false;
    }
    return true;
}

bool SameLists(const CMerxListMap& a, const CMerxListMap& b) { return ListsIn(a, b) && ListsIn(b, a); }

bool SameFields(const CMerxFieldElement& a, const CMerxFieldElement& b)
{
    return SameMap(a.fields, b.fields) && SameMap(a.comments, b.comments);
}

bool SameUse(const Cusestruct& a, const Cusestruct& b)
{
    return SameFields(a, b) && SameLists(a.lists, b.lists) && SameLists(a.listcomments, b.listcomments);
}

// FNV-1a over `length` bytes, continuing from `hash`.
uint64_t HashBytes(uint64_t hash, const char* text, uint32_t length)
{
    for (uint32_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<unsigned char>(text[i])) * 0x100000001b3ull;
    return hash;
}

constexpr uint64_t kHashStart = 0xcbf29ce484222325ull;

// Spreads the bits of `x` (the finaliser of SplitMix64).
uint64_t Mix(uint64_t x)
{
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ull;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

uint64_t HashText(uint64_t hash, const CMerxString& text) { return HashBytes(hash, text.GetBuffer(), text.GetLength()); }

// The sum of one hash per key that holds a value: the order of the keys
// does not count. `salt` tells fields and comments apart.
uint64_t HashMap(const CMerxFieldMap& map, uint64_t salt)
{
    uint64_t sum = 0;
    for (auto [key, value] : map) {
        if (value.IsEmpty())
            continue;
        const uint64_t keyHash = HashBytes(kHashStart ^ salt, key, static_cast<uint32_t>(std::strlen(key)) + 1);
        sum += Mix(HashText(keyHash, value));
    }
    return sum;
}

// A list in order: its entries with their lengths.
uint64_t HashList(uint64_t hash, const CStrArray_base<64>& list)
{
    for (const CMerxString& entry : list) {
        const uint32_t length = entry.GetLength();
        hash = HashBytes(hash, reinterpret_cast<const char*>(&length), sizeof length);
        hash = HashText(hash, entry);
    }
    return hash;
}

uint64_t HashLists(const CMerxListMap& lists, uint64_t salt)
{
    uint64_t sum = 0;
    for (auto [key, list] : lists) {
        if (list.GetCount() == 0)
            continue;
        const uint64_t keyHash = HashBytes(kHashStart ^ salt, key, static_cast<uint32_t>(std::strlen(key)) + 1);
        sum += Mix(HashList(keyHash, list));
    }
    return sum;
}

uint64_t HashFields(const CMerxFieldElement& element)
{
    return HashMap(element.fields, 1) + Mix(HashMap(element.comments, 2) + 3);
}

} // namespace

uint64_t ContentHash(const Citemstruct& item)
{
    uint64_t hash = Mix(HashFields(item));
    for (const Cusestruct& use : item.uses)
        hash = Mix(hash + HashFields(use) + Mix(HashLists(use.lists, 4) + 5) + Mix(HashLists(use.listcomments, 6) + 7));
    return hash;
}

uint64_t ContentHash(const Ceventstruct& event)
{
    return Mix(HashFields(event) + Mix(HashList(kHashStart ^ 8, event.params)) +
               Mix(HashList(kHashStart ^ 9, event.paramcomments) + 10));
}

bool SameContent(const Citemstruct& a, const Citemstruct& b)
{
    if (!SameFields(a, b) || a.uses.GetCount() != b.uses.GetCount())
        return false;
    for (uint32_t i = 0; i < a.uses.GetCount(); ++i)
        if (!SameUse(a.uses[i], b.uses[i]))
            return false;
    return true;
}

bool SameContent(const Ceventstruct& a, const Ceventstruct& b)
{
    return SameFields(a, b) && SameList(a.params, b.params) && SameList(a.paramcomments, b.paramcomments);
}
