#include "editing/event_fields.h"

#include "foundation/sjis_literal.h"

const char* const g_aszEventFieldKeys[kEventFieldCount] = {"start",    "basetime", "plustime", "code",
                                                           "group",    "startmsg", "endmsg",   "info"};

namespace {

constexpr uint32_t kCode = 3;
constexpr char kCodeMissing[] = "イベントコードを入力してください。";

} // namespace

void ShowEventFields(const Ceventstruct& event, CEventFieldControls& controls)
{
    for (uint32_t i = 0; i < kEventFieldCount; ++i)
        controls.fields[i].Assign(event.FieldText(g_aszEventFieldKeys[i]));
}

bool ReadBackEventFields(const CEventFieldControls& shown, const CEventFieldControls& now, Ceventstruct& event,
                         CStr_base<1024>& errors)
{
    bool accepted = true;
    for (uint32_t i = 0; i < kEventFieldCount; ++i) {
        if (shown.fields[i] == now.fields[i])
            continue;
        event.SetField(g_aszEventFieldKeys[i], now.fields[i].GetBuffer());
        if (i == kCode && now.fields[i].IsEmpty()) {
            CStr_base<1024> line;
            line.Format(SJ("[code]：%s\n"), SJ(kCodeMissing));
            errors.Append(line);
            accepted = false;
        }
    }
    return accepted;
}

bool CheckRequiredEventFields(const Ceventstruct& before, const Ceventstruct& event, CStr_base<1024>& errors)
{
    if (*event.FieldText("code") || !*before.FieldText("code"))
        return true;
    CStr_base<1024> line;
    line.Format(SJ("[1]：@@EVENT：%s\n"), SJ(kCodeMissing));
    errors.Append(line);
    return false;
}

CStr_base<64> EventLabel(const Ceventstruct& event)
{
    const char* message = event.FieldText("startmsg");
    return CStr_base<64>(*message ? message : event.FieldText("code"));
}
