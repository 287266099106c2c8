#include "editing/item_fields.h"

#include <cstring>

#include "foundation/sjis_literal.h"

const char* const g_aszItemFlagNames[kItemFlagCount] = {"noshowcase", "nosend",     "notrash",
                                                         "notradein",  "notradeout", "nobuy"};

namespace {

// The flags whose box is checked by any part that holds the name; the
// others need a part that equals it.
constexpr uint32_t kFlagsMatchedInside = 3;

using Member = CStr_base<64> CItemFieldControls::*;

struct PlainField {
    const char* key;
    Member member;
};

// Fields shown and read back as they stand, in the order of the read-back
// around the rules of the others.
const PlainField kTypeField = {"type", &CItemFieldControls::type};
const PlainField kInfoFields[] = {{"info", &CItemFieldControls::info}, {"price", &CItemFieldControls::price}};
const PlainField kMiddleFields[] = {{"pop", &CItemFieldControls::pop},
                                    {"scale", &CItemFieldControls::scale},
                                    {"plus", &CItemFieldControls::plus}};
const PlainField kLastFields[] = {{"cost", &CItemFieldControls::cost}, {"point", &CItemFieldControls::point}};

// The fields that must not be empty, in the order of their messages.
struct RequiredField {
    PlainField field;
    const char* message;
};

const RequiredField kRequiredFields[] = {
    {{"no", &CItemFieldControls::no}, SJ("アイテムIDを入力してください。")},
    {{"code", &CItemFieldControls::code}, SJ("アイテムコードを入力してください。")},
    {{"name", &CItemFieldControls::name}, SJ("アイテム名を入力してください。")},
};

bool Edited(const CItemFieldControls& shown, const CItemFieldControls& now, Member member)
{
    return shown.allEdited || !((shown.*member) == (now.*member));
}

void ReadPlain(const CItemFieldControls& shown, const CItemFieldControls& now, Citemstruct& item,
               const PlainField& field)
{
    if (Edited(shown, now, field.member))
        item.SetField(field.key, (now.*field.member).GetBuffer());
}

// A field that must not be empty once the user edited it.
void ReadRequired(const CItemFieldControls& shown, const CItemFieldControls& now, Citemstruct& item,
                  const RequiredField& required, CStr_base<1024>& errors)
{
    if (!Edited(shown, now, required.field.member))
        return;
    const CStr_base<64>& text = now.*required.field.member;
    item.SetField(required.field.key, text.GetBuffer());
    if (!text.IsEmpty())
        return;
    CStr_base<1024> line;
    line.Format("[%s]\t%s\n", required.field.key, required.message);
    errors.Append(line);
}

// Checks the two halves of "limit" or "base" and joins them with "/"; "/"
// alone becomes empty.
CStr_base<64> JoinSlashPair(const CStr_base<64>& first, const CStr_base<64>& second, const char* message,
                            CStr_base<1024>& errors)
{
    if (std::strchr(first.GetBuffer(), '/'))
        errors.Append(message);
    if (std::strchr(second.GetBuffer(), '/'))
        errors.Append(message);
    CStr_base<64> value;
    value.Format("%s/%s", first.GetBuffer(), second.GetBuffer());
    if (value == "/")
        value.Release();
    return value;
}

bool FlagPartMatches(uint32_t flag, const char* part, uint32_t length)
{
    const char* name = g_aszItemFlagNames[flag];
    const uint32_t nameLength = static_cast<uint32_t>(std::strlen(name));
    if (flag >= kFlagsMatchedInside)
        return length == nameLength && std::memcmp(part, name, length) == 0;
    for (uint32_t at = 0; at + nameLength <= length; ++at)
        if (std::memcmp(part + at, name, nameLength) == 0)
            return true;
    return false;
}

} // namespace

void SplitSlashPair(const char* value, CStr_base<64>& first, CStr_base<64>& second)
{
    const char* slash = std::strchr(value, '/');
    if (!slash) {
        first.Assign(value);
        second.Release();
        return;
    }
    first.Assign(value, static_cast<int32_t>(slash - value));
    const char* rest = slash + 1;
    const char* next = std::strchr(rest, '/');
    second.Assign(rest, next ? static_cast<int32_t>(next - rest) : -1);
}

void ShowItemFields(const Citemstruct& item, CItemFieldControls& controls)
{
    controls.no.Assign(item.FieldText("no"));
    controls.type.Assign(item.FieldText("type"));
    controls.code.Assign(item.FieldText("code"));
    controls.name.Assign(item.FieldText("name"));
    for (const PlainField& field : kInfoFields)
        (controls.*field.member).Assign(item.FieldText(field.key));
    SplitSlashPair(item.FieldText("limit"), controls.limitStock, controls.limitMarket);
    for (const PlainField& field : kMiddleFields)
        (controls.*field.member).Assign(item.FieldText(field.key));
    SplitSlashPair(item.FieldText("base"), controls.baseCount, controls.baseHalf);
    for (const PlainField& field : kLastFields)
        (controls.*field.member).Assign(item.FieldText(field.key));

    const CMerxString* flag = item.GetField("flag");
    if (!flag)
        return;
    for (bool& box : controls.flags)
        box = false;
    const char* text = flag->GetBuffer();
    for (;;) {
        const char* bar = std::strchr(text, '|');
        const uint32_t length = bar ? static_cast<uint32_t>(bar - text) : static_cast<uint32_t>(std::strlen(text));
        for (uint32_t i = 0; i < kItemFlagCount; ++i)
            if (FlagPartMatches(i, text, length))
                controls.flags[i] = true;
        if (!bar)
            break;
        text = bar + 1;
    }
}

bool ReadBackItemFields(const CItemFieldControls& shown, const CItemFieldControls& now, Citemstruct& item,
                        CStr_base<1024>& errors)
{
    errors.Release();
    ReadRequired(shown, now, item, kRequiredFields[0], errors);
    ReadPlain(shown, now, item, kTypeField);
    ReadRequired(shown, now, item, kRequiredFields[1], errors);
    ReadRequired(shown, now, item, kRequiredFields[2], errors);
    for (const PlainField& field : kInfoFields)
        ReadPlain(shown, now, item, field);

    if (Edited(shown, now, &CItemFieldControls::limitStock) || Edited(shown, now, &CItemFieldControls::limitMarket)) {
        CStr_base<64> limit = JoinSlashPair(now.limitStock, now.limitMarket, SJ("[limit]\t/は入力できません\n"), errors);
        if (now.limitMarket.IsEmpty() && !limit.IsEmpty())
            limit.Truncate(limit.GetLength() - 1);
        if (limit.IsEmpty())
            limit.Assign("10");
        item.SetField("limit", limit.GetBuffer());
    }
    for (const PlainField& field : kMiddleFields)
        ReadPlain(shown, now, item, field);

    if (Edited(shown, now, &CItemFieldControls::baseCount) || Edited(shown, now, &CItemFieldControls::baseHalf)) {
        const CStr_base<64> base = JoinSlashPair(now.baseCount, now.baseHalf, SJ("[base]\t/は入力できません\n"), errors);
        item.SetField("base", base.GetBuffer());
    }
    for (const PlainField& field : kLastFields)
        ReadPlain(shown, now, item, field);

    if (item.GetField("flag") && (shown.allEdited || std::memcmp(shown.flags, now.flags, sizeof shown.flags) != 0)) {
        CStr_base<64> flag;
        for (uint32_t i = 0; i < kItemFlagCount; ++i) {
            if (!now.flags[i])
                continue;
            if (!flag.IsEmpty())
                flag.Append("|");
            flag.Append(g_aszItemFlagNames[i]);
        }
        item.SetField("flag", flag.GetBuffer());
    }
    return errors.IsEmpty();
}

bool CheckRequiredItemFields(const Citemstruct& before, const Citemstruct& item, CStr_base<1024>& errors)
{
    bool accepted = true;
    for (const RequiredField& required : kRequiredFields) {
        const char* key = required.field.key;
        if (*item.FieldText(key) || !*before.FieldText(key))
            continue;
        CStr_base<1024> line;
        line.Format(SJ("[1]：@@ITEM：%s\n"), required.message);
        errors.Append(line);
        accepted = false;
    }
    return accepted;
}
