#include "editing/find_targets.h"

#include <unordered_map>

#include "document/function_keywords.h"
#include "editing/internal_error.h"
#include "editing/result_line.h"
#include "foundation/sjis_literal.h"

namespace {

void AddItems(CMerxDocument& doc, std::vector<CFindElement>& out)
{
    for (uint32_t i = 0; i < doc.itemdata.GetCount(); ++i)
        out.push_back({&doc.itemdata[i], i});
}

void AddEvents(CMerxDocument& doc, std::vector<CFindElement>& out)
{
    for (uint32_t i = 0; i < doc.eventdata.GetCount(); ++i)
        out.push_back({&doc.eventdata[i], i});
}

void AddFunctions(CMerxDocument& doc, std::vector<CFindElement>& out)
{
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        if (Csinglestruct* block = doc.FindFunction(g_aszMerxFunctionKeywords[i]))
            out.push_back({block, i});
}

// The definition when it stands in the arrangement, then the other texts.
void AddOthers(CMerxDocument& doc, std::vector<CFindElement>& out)
{
    if (doc.FindInArrangement(&doc.definedata) >= 0)
        out.push_back({&doc.definedata, 0});
    for (uint32_t at = 0; at < doc.setdata.GetCount(); ++at)
        if (doc.setdata[at]->GetKind() == CMERX_TYPE_OTHER)
            out.push_back({doc.setdata[at], at});
}

// Arranged elements with the index their result lines name.
class CArrangedIndexes {
public:
    explicit CArrangedIndexes(CMerxDocument& doc)
    {
        for (uint32_t i = 0; i < doc.itemdata.GetCount(); ++i)
            m_indexes[&doc.itemdata[i]] = i;
        for (uint32_t i = 0; i < doc.eventdata.GetCount(); ++i)
            m_indexes[&doc.eventdata[i]] = i;
        for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
            if (Csinglestruct* block = doc.FindFunction(g_aszMerxFunctionKeywords[i]))
                m_indexes[block] = i;
        m_indexes[&doc.definedata] = 0;
    }

    // False for what the find window does not search (use entries).
    bool Add(CMERX_base* element, uint32_t position, std::vector<CFindElement>& out) const
    {
        if (element->GetKind() == CMERX_TYPE_OTHER) {
            out.push_back({element, position});
            return true;
        }
        const auto found = m_indexes.find(element);
        if (found == m_indexes.end())
            return false;
        out.push_back({element, found->second});
        return true;
    }

private:
    std::unordered_map<const CMERX_base*, uint32_t> m_indexes;
};

void AddCurrentObject(CMerxDocument& doc, CPageElement current, std::vector<CFindElement>& out)
{
    if (current.index < 0)
        return;
    const uint32_t index = static_cast<uint32_t>(current.index);
    switch (current.tab) {
    case kTabItem:
        if (index < doc.itemdata.GetCount())
            out.push_back({&doc.itemdata[index], index});
        break;
    case kTabEvent:
        if (index < doc.eventdata.GetCount())
            out.push_back({&doc.eventdata[index], index});
        break;
    case kTabFunction:
        if (index < MERX_FUNCTION_COUNT)
            if (Csinglestruct* block = doc.FindFunction(g_aszMerxFunctionKeywords[index]))
                out.push_back({block, index});
        break;
    case kTabDefinition:
        out.push_back({&doc.definedata, 0});
        break;
    case kTabArrangement:
        if (index < doc.setdata.GetCount())
            CArrangedIndexes(doc).Add(doc.setdata[index], index, out);
        break;
    default:
        break;
    }
}

void AddCurrentPage(CMerxDocument& doc, int32_t tab, std::vector<CFindElement>& out)
{
    switch (tab) {
    case kTabItem: AddItems(doc, out); break;
    case kTabEvent: AddEvents(doc, out); break;
    case kTabFunction: AddFunctions(doc, out); break;
    case kTabDefinition: out.push_back({&doc.definedata, 0}); break;
    case kTabArrangement: {
        const CArrangedIndexes indexes(doc);
        for (uint32_t at = 0; at < doc.setdata.GetCount(); ++at)
            indexes.Add(doc.setdata[at], at, out);
        break;
    }
    default:
        break;
    }
}

} // namespace

std::vector<CFindElement> CollectFindTargets(CMerxDocument& doc, int32_t target, CPageElement current)
{
    std::vector<CFindElement> out;
    switch (target) {
    case kFindCurrentObject: AddCurrentObject(doc, current, out); break;
    case kFindCurrentPage: AddCurrentPage(doc, current.tab, out); break;
    case kFindItems: AddItems(doc, out); break;
    case kFindEvents: AddEvents(doc, out); break;
    case kFindFunctions: AddFunctions(doc, out); break;
    case kFindOthers: AddOthers(doc, out); break;
    case kFindItemsEvents:
        AddItems(doc, out);
        AddEvents(doc, out);
        break;
    case kFindNotItemsEvents:
        AddFunctions(doc, out);
        AddOthers(doc, out);
        break;
    case kFindAll:
        AddItems(doc, out);
        AddEvents(doc, out);
        AddFunctions(doc, out);
        AddOthers(doc, out);
        break;
    default:
        break;
    }
    return out;
}

bool FindTargetOfResultLine(CMerxDocument& doc, const char* line, uint32_t id, CFindElement& found,
                            const char*& message)
{
    static const char* const gone = SJ("この要素にアクセスできません。\nこの要素は既に無効になっている可能性があります。");
    CResultTarget target;
    switch (FollowResultLine(doc, line, id, target)) {
    case CLineFollow::kNoElement: {
        // An unknown kind word is a fault; no word or "INFO" names nothing.
        const bool unknown = ParseResultLine(line, target) && !target.info;
        static const CStr_base<64> note = InternalErrorNote("FindDlg::Find_Replace");
        message = unknown ? note.GetBuffer() : SJ("選択されたオブジェクトがありません");
        return false;
    }
    case CLineFollow::kGone:
        message = gone;
        return false;
    case CLineFollow::kFound:
        break;
    }
    std::vector<CFindElement> one;
    AddCurrentObject(doc, CPageElement{target.tab, target.index}, one);
    if (one.empty()) {
        message = gone;
        return false;
    }
    found = one.front();
    return true;
}
