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

CMERX_base* ResultTargetElement(CMerxDocument& doc, const CResultTarget& target)
{
    if (target.index < 0)
        return nullptr;
    const uint32_t index = static_cast<uint32_t>(target.index);
    switch (target.tab) {
    case kTabItem:
        return index < doc.itemdata.GetCount() ? doc.itemdata.GetAt(index) : nullptr;
    case kTabEvent:
        return index < doc.eventdata.GetCount() ? doc.eventdata.GetAt(index) : nullptr;
    case kTabFunction:
        return index < MERX_FUNCTION_COUNT ? doc.FindFunction(g_aszMerxFunctionKeywords[index]) : nullptr;
    case kTabDefinition:
        return &doc.definedata;
    case kTabArrangement:
        return index < doc.setdata.GetCount() && doc.setdata[index]->GetKind() == CMERX_TYPE_OTHER ? doc.setdata[index]
                                                                                                   : nullptr;
    default:
        return nullptr;
    }
}

uint32_t ResultLineIdentity(CMerxDocument& doc, const char* line)
{
    CResultTarget target;
    if (!ParseResultLine(line, target))
        return 0;
    const CMERX_base* element = ResultTargetElement(doc, target);
    return element ? doc.IdentityOf(*element) : 0;
}

CLineFollow FollowResultLine(CMerxDocument& doc, const char* line, uint32_t id, CResultTarget& target)
{
    if (!ParseResultLine(line, target) || target.tab < 0)
        return CLineFollow::kNoElement;
    // The function blocks and the definition keep their places.
    if (target.tab == kTabFunction || target.tab == kTabDefinition)
        return target.index < static_cast<int32_t>(MERX_FUNCTION_COUNT) ? CLineFollow::kFound : CLineFollow::kGone;
    const CPageElement now = PageElementOf(doc, id);
    if (now.tab < 0 || now.index < 0)
        return CLineFollow::kGone;
    target.tab = now.tab;
    target.index = now.index;
    return CLineFollow::kFound;
}
