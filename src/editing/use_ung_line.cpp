#include "editing/use_ung_line.h"

#include <cstring>

#include "foundation/ascii_case.h"
#include "foundation/sjis_literal.h"

const char* const g_aszUngKinds[3] = {"use", "need", "get"};

namespace {

// A blank would split the column in two on reopen, "#" would begin a comment.
const char kRefused[] = " \t#";

// The five columns; the last takes the rest of the line.
void SplitColumns(const char* entry, CStr_base<64> (&columns)[kUngColumns])
{
    const char* at = entry;
    for (uint32_t i = 0; i < kUngColumns; ++i) {
        const char* tab = i + 1 < kUngColumns ? std::strchr(at, '\t') : nullptr;
        if (!tab) {
            columns[i].Assign(at);
            for (uint32_t rest = i + 1; rest < kUngColumns; ++rest)
                columns[rest].Release();
            return;
        }
        columns[i].Assign(at, static_cast<int32_t>(tab - at));
        at = tab + 1;
    }
}

bool AllDigits(const CStr_base<64>& text)
{
    for (uint32_t i = 0; i < text.GetLength(); ++i)
        if (text.GetBuffer()[i] < '0' || text.GetBuffer()[i] > '9')
            return false;
    return true;
}

int32_t KindIndex(const CStr_base<64>& word)
{
    for (int32_t i = 0; i < 3; ++i)
        if (word.GetLength() == std::strlen(g_aszUngKinds[i]) && StartsWithNoCase(word.GetBuffer(), g_aszUngKinds[i]))
            return i;
    return -1;
}

// The text before a last "%" ("%" is never the second byte of a double-byte
// character), the text itself without one.
CStr_base<64> RateWithoutPercent(const CStr_base<64>& rate)
{
    const char* text = rate.GetBuffer();
    const uint32_t length = rate.GetLength();
    if (length == 0 || text[length - 1] != '%')
        return rate;
    CStr_base<64> number;
    number.Assign(text, static_cast<int32_t>(length - 1));
    return number;
}

} // namespace

CStr_base<64> UngLabel(const char* entry)
{
    CStr_base<64> label(entry);
    label.Replace("\t", " ");
    return label;
}

void ShowUngLine(const char* entry, const char* itemName, CUngControls& controls)
{
    CStr_base<64> columns[kUngColumns];
    SplitColumns(entry, columns);
    controls.kind = KindIndex(columns[0]);
    controls.count = columns[1];
    if (columns[2] == itemName)
        controls.item.Assign(SJ("このアイテム"));
    else
        controls.item = columns[2];
    controls.rate = RateWithoutPercent(columns[3]);
    controls.message = columns[4];
}

bool ReadBackUngLine(const CUngControls* shownControls, const CUngControls& now, const CMerxDocument& doc,
                     const char* itemName, CStr_base<64>& entry, CStr_base<1024>& errors)
{
    CStr_base<64> columns[kUngColumns];
    SplitColumns(entry.GetBuffer(), columns);
    // A control that differs from anything it can hold: every one is edited.
    CUngControls whole;
    whole.kind = -2;
    whole.count = whole.item = whole.rate = whole.message = "\n";
    const CUngControls& shown = shownControls ? *shownControls : whole;
    bool edited = false;
    bool accepted = true;
    auto refuse = [&](const char* message) {
        errors.Append(message);
        accepted = false;
    };

    if (shown.kind != now.kind && now.kind >= 0 && now.kind < 3) {
        columns[0].Assign(g_aszUngKinds[now.kind]);
        edited = true;
    }
    const bool countEdited = !(shown.count == now.count);
    if (countEdited) {
        edited = true;
        if (!AllDigits(now.count))
            refuse(SJ("[@@USE::use/need/get::数]\t半角数字以外が含まれています。\n"));
        else
            columns[1].Assign(now.count.IsEmpty() ? "1" : now.count.GetBuffer());
    }
    const bool itemEdited = !(shown.item == now.item);
    if (itemEdited) {
        edited = true;
        const CStr_base<64>& item = now.item;
        if (std::strpbrk(item.GetBuffer(), kRefused)) {
            refuse(SJ("[@@USE::use/need/get::アイテム名]\t項目に利用できない文字が含まれています。\n"));
        } else if (item.IsEmpty()) {
            refuse(SJ("[@@USE::use/need/get::アイテム名]\tこの項目は必須入力です。\n"));
        } else {
            // "このアイテム" and item numbers stand for names, which must fit
            // into the column as well.
            const CMerxString* found = nullptr;
            if (!AllDigits(item))
                columns[2].Assign(item == SJ("このアイテム") ? itemName : item.GetBuffer());
            else if ((found = doc.FindItemNameByNo(item.GetBuffer())))
                columns[2] = *found;
            if (AllDigits(item) && (!found || found->IsEmpty()))
                refuse(SJ("[@@USE::use/need/get::アイテム名]\t入力されたIDのアイテムが見つかりません。\n"));
            else if (columns[2].IsEmpty())
                refuse(SJ("[@@USE::use/need/get::アイテム名]\tこの項目は必須入力です。\n"));
            else if (std::strpbrk(columns[2].GetBuffer(), kRefused))
                refuse(SJ("[@@USE::use/need/get::アイテム名]\t項目に利用できない文字が含まれています。\n"));
        }
    }
    if (!(shown.rate == now.rate)) {
        edited = true;
        if (!AllDigits(now.rate)) {
            refuse(SJ("[@@USE::use/need/get::確率]\t半角数字以外が含まれています。\n"));
        } else {
            columns[3] = now.rate;
            if (!now.rate.IsEmpty())
                columns[3].Append("%");
        }
    }
    if (!(shown.message == now.message)) {
        edited = true;
        if (std::strpbrk(now.message.GetBuffer(), kRefused))
            refuse(SJ("[@@USE::use/need/get::メッセージ]\t項目に利用できない文字が含まれています。\n"));
        else
            columns[4] = now.message;
    }
    if (!edited)
        return true;
    // The file separates the columns by blanks, so an empty column inside
    // the line would give its place to the next one on reopen.
    if (!countEdited && columns[1].IsEmpty())
        columns[1].Assign("1");
    if (!itemEdited && columns[2].IsEmpty())
        refuse(SJ("[@@USE::use/need/get::アイテム名]\tこの項目は必須入力です。\n"));
    if (columns[3].IsEmpty() && !columns[4].IsEmpty())
        refuse(SJ("[@@USE::use/need/get::確率]\tメッセージを指定するときは確率も入力してください。\n"));
    if (!accepted)
        return false;
    if (edited)
        entry.Format("%s\t%s\t%s\t%s\t%s", columns[0].GetBuffer(), columns[1].GetBuffer(), columns[2].GetBuffer(),
                     columns[3].GetBuffer(), columns[4].GetBuffer());
    return true;
}
