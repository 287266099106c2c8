#include "editing/condition_crossing.h"

#include "document/condition_lines.h"
#include "foundation/sjis_literal.h"

CStr_base<1024> ConditionCrossingQuestion(const CMerxDocument& doc, const CMERX_base& moved,
                                          const CMERX_base& neighbour)
{
    CStr_base<1024> question;
    const int32_t from = doc.FindInArrangement(&moved);
    const int32_t to = doc.FindInArrangement(&neighbour);
    if (from < 0 || to < 0)
        return question;
    const std::string_view line = ConditionLineBetween(doc, static_cast<uint32_t>(from), static_cast<uint32_t>(to));
    if (line.empty())
        return question;
    const bool item = moved.GetKind() == CMERX_TYPE_ITEM;
    question = item ? SJ("このアイテムの移動先との間に次の@@IFの行があり、アイテムが有効になる条件が変わります。\n「")
                    : SJ("このイベントの移動先との間に次の@@IFの行があり、イベントが有効になる条件が変わります。\n「");
    question.Append(line.data(), static_cast<int32_t>(line.size()));
    question += SJ("」\n移動してもよろしいですか？");
    return question;
}
