#include "pages/event_fields.h"

#include "foundation/sjis_literal.h"

const char* const g_aszEventFieldKeys[kEventFieldCount] = {"start",    "basetime", "plustime", "code",
                                                           "group",    "startmsg", "endmsg",   "info"};

namespace {

constexpr uint32_t kCode = 3;

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
            errors.Append(SJ("[code]：イベントコードを入力してください。\n"));
            accepted = false;
        }
    }
    return accepted;
}

CStr_base<64> EventLabel(const Ceventstruct& event)
{
    const char* message = event.FieldText("startmsg");
    return CStr_base<64>(*message ? message : event.FieldText("code"));
}
