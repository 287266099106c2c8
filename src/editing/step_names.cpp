#include "editing/step_names.h"

#include <cstdio>

#include "document/event_struct.h"
#include "document/item_struct.h"
#include "document/single_struct.h"
#include "foundation/sjis_literal.h"

CStr_base<256> ElementStepName(const CMERX_base& element, const char* action)
{
    CStr_base<256> name;
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM:
        name.Format(SJ("アイテム「%s」の%s"), static_cast<const Citemstruct&>(element).FieldText("name"), action);
        break;
    case CMERX_TYPE_EVENT:
        name.Format(SJ("イベント「%s」の%s"), static_cast<const Ceventstruct&>(element).FieldText("code"), action);
        break;
    case CMERX_TYPE_SINGLE:
        name.Format(SJ("関数「%s」の%s"), static_cast<const Csinglestruct&>(element).keyword.GetBuffer(), action);
        break;
    case CMERX_TYPE_DEFINE:
        name.Format(SJ("定義の%s"), action);
        break;
    default:
        name.Format(SJ("テキストの%s"), action);
        break;
    }
    return name;
}

CStr_base<64> ReplaceStepName(uint32_t elements)
{
    // Thousands separated by commas.
    char digits[16];
    const int count = std::snprintf(digits, sizeof digits, "%u", elements);
    CStr_base<64> grouped;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            grouped.Append(",");
        grouped.Append(digits + i, 1);
    }
    CStr_base<64> name;
    name.Format(SJ("置換 (%s 要素)"), grouped.GetBuffer());
    return name;
}
