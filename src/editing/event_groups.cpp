#include "editing/event_groups.h"

#include <string_view>
#include <unordered_set>

void CollectEventGroups(const CMerxDocument& document, CStrArray_base<64>& groups)
{
    groups.RemoveAll();
    std::unordered_set<std::string_view> seen;
    for (const Ceventstruct& event : document.eventdata) {
        const CMerxString* group = event.GetField("group");
        if (!group || group->IsEmpty())
            continue;
        if (seen.insert(std::string_view(group->GetBuffer(), group->GetLength())).second)
            groups.Add()->Assign(*group);
    }
}
