// Splitting extension fields into their values and joining them again.
#include "document/item_ex_fields.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "pattern/str_regex.h"

bool SplitItemExText(const ItemExParams& params, const char* text, CStrArray_base<64>& pieces,
                     CStrRegexBudget* budget)
{
    bool finished = true;
    if (params.regexSep) {
        CStr_base<16384> subject(text);
        CArrayAuto<CStrRegexHitBufStruct> hits;
        // An empty pattern finds no separator.
        if (!params.sepRegexPattern.IsEmpty()) {
            CStrRegexBudget userBudget;
            finished = subject.Regex(params.sepRegexPattern, params.regexOpt, nullptr, nullptr, nullptr, 0, &hits,
                                     {}, budget ? budget : &userBudget) != kStrRegexStopped;
        }
        pieces.RemoveAll();
        uint32_t from = 0;
        for (const CStrRegexHitBufStruct& hit : hits) {
            if (hit.offset < from || hit.offset + hit.length > subject.GetLength())
                continue;
            pieces.Add()->Assign(subject.GetBuffer() + from, static_cast<int32_t>(hit.offset - from));
            from = hit.offset + hit.length;
        }
        pieces.Add()->Assign(subject.GetBuffer() + from);
    } else if (params.separator.IsEmpty()) {
        pieces.RemoveAll();
        pieces.Add()->Assign(text);
    } else {
        pieces.Split(text, params.separator);
    }
    while (pieces.GetCount() < kItemExSlotCount)
        pieces.Add()->Release();
    return finished;
}

void SplitItemExSlots(const ItemExParams& params, const char* text, CStr_base<64> (&slots)[kItemExSlotCount])
{
    CStrArray_base<64> pieces;
    SplitItemExText(params, text, pieces);
    uint32_t next = 0;
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        if (params.type[slot] == ITEMEX_TYPE_NONE)
            slots[slot].Release();
        else
            slots[slot].Assign(pieces[next++]);
    }
}

void JoinItemExSlots(const ItemExParams& params, const CStr_base<64> (&slots)[kItemExSlotCount],
                     CStr_base<64>& text)
{
    text.Release();
    bool any = false;
    bool first = true;
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        if (params.type[slot] == ITEMEX_TYPE_NONE)
            continue;
        if (!first)
            text += params.separator;
        first = false;
        text += slots[slot];
        any = any || !slots[slot].IsEmpty();
    }
    if (!any)
        text.Release();
}

void SplitItemExFlags(const ItemExParams& params, const char* text, bool (&checked)[kItemExFlagCount])
{
    CStrArray_base<64> tokens;
    if (params.separator.IsEmpty())
        tokens.Add()->Assign(text);
    else
        tokens.Split(text, params.separator);
    for (uint32_t i = 0; i < kItemExFlagCount; ++i) {
        checked[i] = false;
        if (!params.IsFlagUsed(i))
            continue;
        for (const CStr_base<64>& token : tokens)
            if (token == params.checkKey[i]) {
                checked[i] = true;
                break;
            }
    }
}

void JoinItemExFlags(const ItemExParams& params, const bool (&checked)[kItemExFlagCount], CStr_base<64>& text)
{
    text.Release();
    bool first = true;
    for (uint32_t i = 0; i < kItemExFlagCount; ++i) {
        if (!checked[i] || !params.IsFlagUsed(i))
            continue;
        if (!first)
            text += params.separator;
        first = false;
        text += params.checkKey[i];
    }
}

void ItemExListChoices(const ItemExParams& params, uint32_t slot, const CMerxDocument& document,
                       CStrArray_base<64>& shown, CStrArray_base<64>& stored)
{
    shown.RemoveAll();
    stored.RemoveAll();
    if (slot >= kItemExSlotCount || !IsItemExListType(params.type[slot]))
        return;
    auto add = [&](const char* show, const char* store) {
        shown.Add()->Assign(show);
        stored.Add()->Assign(store);
    };
    auto field = [](const CMerxFieldElement& element, const char* key) -> const char* {
        const CMerxString* value = element.GetField(key);
        return value ? value->GetBuffer() : "";
    };
    add("", "");
    switch (params.type[slot]) {
    case ITEMEX_TYPE_LIST_ITEMNAME:
    case ITEMEX_TYPE_LIST_ITEMCODE:
    case ITEMEX_TYPE_LIST_ITEMNO: {
        const char* key = params.type[slot] == ITEMEX_TYPE_LIST_ITEMNAME   ? "name"
                          : params.type[slot] == ITEMEX_TYPE_LIST_ITEMCODE ? "code"
                                                                           : "no";
        for (const Citemstruct& item : document.itemdata)
            add(field(item, "name"), field(item, key));
        break;
    }
    case ITEMEX_TYPE_LIST_ITEMTYPE:
        for (const TypeData& type : document.definedata.types)
            add(type.name, type.name);
        break;
    case ITEMEX_TYPE_LIST_JOB:
        for (const JobData& job : document.definedata.jobs)
            add(job.name, job.code);
        break;
    case ITEMEX_TYPE_LIST_EVENTCODE:
        for (const Ceventstruct& event : document.eventdata)
            add(field(event, "code"), field(event, "code"));
        break;
    case ITEMEX_TYPE_LIST_USER: {
        const CRuleSection* list = params.userList[slot];
        if (!list)
            break;
        std::vector<std::pair<std::string, const CStr_base<64>*>> choices;
        const char* key;
        const CStr_base<64>* value;
        for (auto cursor = list->values.Iterate(); cursor.Next(&key, &value);)
            choices.emplace_back(key, value);
        std::sort(choices.begin(), choices.end(), [](const auto& a, const auto& b) {
            return std::strcmp(a.first.c_str(), b.first.c_str()) < 0;
        });
        for (const auto& choice : choices)
            add(choice.first.c_str(), *choice.second);
        break;
    }
    default:
        break;
    }
}

uint32_t FindItemExChoice(const CStrArray_base<64>& stored, const char* piece)
{
    for (uint32_t i = 0; i < stored.GetCount(); ++i)
        if (stored[i] == piece)
            return i;
    return 0;
}
