#include "editing/delete_question.h"

#include "editing/event_fields.h"
#include "editing/item_rename.h"
#include "foundation/sjis_literal.h"

CStr_base<1024> DeleteItemQuestion(const CMerxDocument& document, const Citemstruct& item)
{
    const char* name = item.FieldText("name");
    const uint32_t references = CountItemReferences(document, name);
    CStr_base<1024> question;
    if (references > 0)
        question.Format(SJ("このアイテムを削除してもよろしいですか？\n「%s」は %u 箇所から参照されています。"), name,
                        references);
    else
        question.Format(SJ("このアイテムを削除してもよろしいですか？\n「%s」を参照している箇所はありません。"), name);
    return question;
}

CStr_base<1024> DeleteEventQuestion(const Ceventstruct& event)
{
    const CStr_base<64> label = EventLabel(event);
    const char* code = event.FieldText("code");
    CStr_base<1024> question;
    if (label == code)
        question.Format(SJ("このイベントを削除してもよろしいですか？\n「%s」"), code);
    else
        question.Format(SJ("このイベントを削除してもよろしいですか？\n「%s」（コード：%s）"), label.GetBuffer(), code);
    return question;
}
