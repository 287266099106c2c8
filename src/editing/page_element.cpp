#include "editing/page_element.h"

#include <cstring>

#include "document/function_keywords.h"
#include "document/single_struct.h"

CPageElement PageElementOf(CMerxDocument& doc, uint32_t id)
{
    const CMERX_base* element = id ? doc.FindByIdentity(id) : nullptr;
    if (!element)
        return {};
    switch (element->GetKind()) {
    case CMERX_TYPE_ITEM:
        return {kTabItem, doc.itemdata.IndexOf(element)};
    case CMERX_TYPE_EVENT:
        return {kTabEvent, doc.eventdata.IndexOf(element)};
    case CMERX_TYPE_DEFINE:
        return {kTabDefinition, 0};
    case CMERX_TYPE_SINGLE: {
        const char* keyword = static_cast<const Csinglestruct*>(element)->keyword.GetBuffer();
        for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
            if (std::strcmp(g_aszMerxFunctionKeywords[i], keyword) == 0)
                return {kTabFunction, static_cast<int32_t>(i)};
        return {};
    }
    default:
        return {kTabArrangement, doc.FindInArrangement(element)};
    }
}
