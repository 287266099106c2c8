#include "editing/define_text.h"

#include "document/element_reader.h"
#include "document/reopen_check.h"
#include "editing/line_ends.h"
#include "foundation/sjis_literal.h"

bool ApplyDefineText(CMerxDocument& doc, const CStr_base<16384>& shown, const CStr_base<16384>& now,
                     CStr_base<1024>& errors)
{
    if (now == shown)
        return true;
    CStr_base<16384> text(now);
    CrLfToLf(text);
    Cdefinestruct fresh;
    uint32_t line = 0;
    CStr_base<1024> messages;
    if (!CElementReader(doc, messages).ParseDefine(fresh, text.GetBuffer(), line))
        messages += SJ("種類タイプを認識できません。");
    // A text the reader took without a word is checked where the
    // definition stands: a line that starts another block is refused.
    if (messages.IsEmpty())
        SurvivesReopen(doc, fresh, &messages);
    if (!messages.IsEmpty()) {
        errors += messages;
        return false;
    }
    doc.definedata = fresh;
    return true;
}
