#include "editing/use_list_edit.h"

#include <cstring>

#include "foundation/sjis_literal.h"

namespace {

const char* const kScriptKeys[] = {"func", "funci", "funcb"};

// The entry number N of a reference "_local_N" (from 1), or 0.
uint32_t ReferencedEntry(const CMerxString& value)
{
    constexpr uint32_t kPrefix = 7; // "_local_"
    const char* text = value.GetBuffer();
    if (value.GetLength() <= kPrefix || std::strncmp(text, "_local_", kPrefix) != 0)
        return 0;
    uint32_t number = 0;
    for (const char* p = text + kPrefix; *p; ++p) {
        if (*p < '0' || *p > '9' || number > 100000000)
            return 0;
        number = number * 10 + static_cast<uint32_t>(*p - '0');
    }
    return number;
}

// Calls `renumber(n)` for every reference; a result other than n replaces it.
template <class F>
void RenumberReferences(Citemstruct& item, F renumber)
{
    for (Cusestruct& use : item.uses) {
        for (const char* key : kScriptKeys) {
            CMerxString* value = use.fields.Lookup(key);
            const uint32_t number = value ? ReferencedEntry(*value) : 0;
            if (number == 0)
                continue;
            const uint32_t now = renumber(number);
            if (now != number)
                value->Format("_local_%u", now);
        }
    }
}

// The comments of `key`, at least as long as the list itself.
CStrArray_base<64>* Comments(Cusestruct& use, const char* key, uint32_t count)
{
    CStrArray_base<64>* comments = use.GetListComments(key);
    if (!comments)
        comments = use.listcomments.GetOrInsert(key);
    if (comments->GetCount() < count)
        comments->SetCount(count);
    return comments;
}

} // namespace

void InitNewUseEntry(const CMerxDocument& doc, Cusestruct& use, uint32_t number)
{
    use.Clear();
    for (const CStrArray_base<64>* keys : {&doc.usekeys, &doc.usefieldextkeys})
        for (const CMerxString& key : *keys)
            use.fields.GetOrInsert(key);
    for (const CStrArray_base<64>* keys : {&doc.uselistkeys, &doc.uselistextkeys}) {
        for (const CMerxString& key : *keys) {
            use.lists.GetOrInsert(key);
            use.listcomments.GetOrInsert(key);
        }
    }
    CStr_base<64> name;
    name.Format(SJ("新しい項目_%u"), number);
    use.SetField("name", name.GetBuffer());
}

bool IsUseScriptBorrowed(const Citemstruct& item, uint32_t index)
{
    uint32_t at = 0;
    for (const Cusestruct& use : item.uses) {
        if (at++ == index)
            continue;
        for (const char* key : kScriptKeys) {
            const CMerxString* value = use.GetField(key);
            if (value && ReferencedEntry(*value) == index + 1)
                return true;
        }
    }
    return false;
}

bool RemoveUseEntry(Citemstruct& item, uint32_t index)
{
    if (index >= item.uses.GetCount() || IsUseScriptBorrowed(item, index))
        return false;
    item.uses.RemoveAt(index);
    const uint32_t removed = index + 1;
    RenumberReferences(item, [removed](uint32_t n) { return n > removed ? n - 1 : n; });
    return true;
}

void ExchangeUseEntries(Citemstruct& item, uint32_t a, uint32_t b)
{
    const uint32_t count = item.uses.GetCount();
    if (a >= count || b >= count || a == b)
        return;
    item.uses.Exchange(a, b);
    RenumberReferences(item, [a, b](uint32_t n) { return n == a + 1 ? b + 1 : n == b + 1 ? a + 1 : n; });
}

int32_t AddSubEntry(Cusestruct& use, const char* key, const char* text)
{
    CStrArray_base<64>* list = use.GetList(key);
    if (!list)
        return -1;
    CStrArray_base<64>* comments = Comments(use, key, list->GetCount());
    comments->Truncate(list->GetCount());
    list->Add()->Assign(text);
    comments->Add();
    return static_cast<int32_t>(list->GetCount() - 1);
}

void RemoveSubEntry(Cusestruct& use, const char* key, uint32_t index)
{
    CStrArray_base<64>* list = use.GetList(key);
    if (!list || index >= list->GetCount())
        return;
    CStrArray_base<64>* comments = Comments(use, key, list->GetCount());
    list->RemoveAt(index);
    comments->RemoveAt(index);
}

void ExchangeSubEntries(Cusestruct& use, const char* key, uint32_t a, uint32_t b)
{
    CStrArray_base<64>* list = use.GetList(key);
    if (!list || a >= list->GetCount() || b >= list->GetCount())
        return;
    CStrArray_base<64>* comments = Comments(use, key, list->GetCount());
    list->Exchange(a, b);
    comments->Exchange(a, b);
}
