#include "editing/result_line.h"

#include <cstring>

#include "document/function_keywords.h"
#include "editing/page_element.h"
#include "foundation/decimal_text.h"

bool ParseResultLine(const char* line, CResultTarget& target)
{
    // "%{%+j%e[%}%{%/d%}": the text before the first "[", then digits.
    // "[" is never the second byte of a double-byte character.
    const char* bracket = std::strchr(line, '[');
    if (!bracket || bracket[1] < '0' || bracket[1] > '9')
        return false;
    const std::string_view word(line, static_cast<size_t>(bracket - line));
    int64_t index = 0;
    ReadDecimal(bracket + 1, index);
    target = {};
    target.index = index > INT32_MAX ? INT32_MAX : static_cast<int32_t>(index);
    if (word == "INFO")
        target.info = true;
    else if (word == "ITEM")
        target.tab = kTabItem;
    else if (word == "EVENT")
        target.tab = kTabEvent;
    else if (word == "FUNC")
        target.tab = kTabFunction;
    else if (word == "DEFINE")
        target.tab = kTabDefinition, target.index = 0;
    else if (word == "OTHER")
        target.tab = kTabArrangement;
    return true;
}

bool ResultTargetExists(const CMerxDocument& doc, const CResultTarget& target)
{
    if (target.index < 0)
        return false;
    const uint32_t index = static_cast<uint32_t>(target.index);
    switch (target.tab) {
    case kTabItem:
        return index < doc.itemdata.GetCount();
    case kTabEvent:
        return index < doc.eventdata.GetCount();
    case kTabFunction:
        return index < MERX_FUNCTION_COUNT;
    case kTabDefinition:
        return true;
    case kTabArrangement:
        return index < doc.setdata.GetCount() && doc.setdata[index]->GetKind() == CMERX_TYPE_OTHER;
    default:
        return false;
    }
}
