#include "editing/use_fields.h"

#include <cstring>

#include "foundation/decimal_text.h"
#include "foundation/sjis_literal.h"
#include "foundation/str_array.h"

const char* const g_aszUseFieldKeys[kUseFieldCount] = {"name",   "price",      "time",      "exptime", "exp",
                                                       "scale",  "info",       "action",    "argmessage",
                                                       "argselect", "okmsg",   "ngmsg",     "needexp"};

namespace {

void ShowUseArg(const char* arg, CUseFieldControls& controls)
{
    controls.target = controls.nocount = controls.message = controls.select = false;
    controls.messageNumber.Release();
    controls.selectMode = kArgSelectPlain;
    CStrArray_base<64> parts;
    parts.Split(arg, "|");
    for (const CStr_base<64>& part : parts) {
        if (part == "target")
            controls.target = true;
        else if (part == "nocount")
            controls.nocount = true;
        else if (part == "select")
            controls.select = true;
        else if (part == "radio")
            controls.selectMode = kArgSelectRadio;
        else if (part == "list")
            controls.selectMode = kArgSelectList;
        if (part.Find("message") >= 0) {
            controls.message = true;
            // "message20" shows 20; the number starts at the eighth byte.
            controls.messageNumber.Assign(part.GetLength() > 7 ? part.GetBuffer() + 7 : "");
        }
    }
}

bool ArgEdited(const CUseFieldControls& shown, const CUseFieldControls& now)
{
    return shown.target != now.target || shown.nocount != now.nocount || shown.message != now.message ||
           shown.select != now.select || !(shown.messageNumber == now.messageNumber) ||
           shown.selectMode != now.selectMode;
}

bool ParamsEdited(const CUseFieldControls& shown, const CUseFieldControls& now)
{
    for (uint32_t i = 0; i < kUseParamCount; ++i)
        if (!(shown.params[i] == now.params[i]))
            return true;
    return false;
}

bool IsArgselectHeading(uint32_t field) { return std::strcmp(g_aszUseFieldKeys[field], "argselect") == 0; }

} // namespace

void ShowUseFields(const Cusestruct& use, CUseFieldControls& controls)
{
    for (uint32_t i = 0; i < kUseFieldCount; ++i)
        controls.fields[i].Assign(use.FieldText(g_aszUseFieldKeys[i]));
    CStrArray_base<64> params;
    params.Split(use.FieldText("param"), ",");
    for (uint32_t i = 0; i < kUseParamCount; ++i)
        controls.params[i].Assign(i < params.GetCount() ? params[i].GetBuffer() : "");
    ShowUseArg(use.FieldText("arg"), controls);
}

CStr_base<64> JoinUseParams(const CStr_base<64> (&params)[kUseParamCount])
{
    uint32_t count = kUseParamCount;
    while (count > 1 && params[count - 1].IsEmpty())
        --count;
    CStr_base<64> value(params[0]);
    for (uint32_t i = 1; i < count; ++i) {
        value.Append(",");
        value.Append(params[i]);
    }
    return value;
}

CStr_base<64> JoinUseArg(const CUseFieldControls& controls)
{
    CStr_base<64> value;
    auto add = [&value](const char* word) {
        if (!value.IsEmpty())
            value.Append("|");
        value.Append(word);
    };
    if (controls.target)
        add("target");
    if (controls.nocount)
        add("nocount");
    if (controls.message) {
        const int32_t count = ReadDecimal32(controls.messageNumber.GetBuffer(), 0);
        CStr_base<64> word("message");
        if (count >= 1)
            word.Format("message%d", count);
        add(word.GetBuffer());
    }
    if (controls.select) {
        add("select");
        if (controls.selectMode == kArgSelectRadio)
            add("radio");
        else if (controls.selectMode == kArgSelectList)
            add("list");
    }
    return value;
}

bool ReadBackUseFields(const CUseFieldControls& shown, const CUseFieldControls& now, Cusestruct& use,
                       CStr_base<1024>& errors)
{
    bool accepted = true;
    for (uint32_t i = 0; i < kUseFieldCount; ++i) {
        if (shown.fields[i] == now.fields[i])
            continue;
        const CStr_base<64>& text = now.fields[i];
        // The heading starts the argselect line, whose parts ";" separates
        // and which "#" would end.
        if (IsArgselectHeading(i) && use.GetField("argselect") && std::strpbrk(text.GetBuffer(), ";#")) {
            errors.Append(SJ("[@@USE::argselect::見出し]\t項目に利用できない文字が混じっています\n"));
            accepted = false;
            continue;
        }
        use.SetField(g_aszUseFieldKeys[i], text.GetBuffer());
    }
    if (ParamsEdited(shown, now))
        use.SetField("param", JoinUseParams(now.params).GetBuffer());
    if (ArgEdited(shown, now))
        use.SetField("arg", JoinUseArg(now).GetBuffer());
    return accepted;
}
