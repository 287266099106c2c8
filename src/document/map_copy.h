// Emptying and copying keyed maps and string lists of the document.
//
// A keyed map never removes single entries; emptying one replaces it by a
// new map. A copy shares the source's keys and holds copies of its values:
// the same iteration order, and values of its own.
#pragma once

#include <memory>

#include "document/merx_base.h"

template <class T, unsigned K>
void ResetMap(CMapElement<T, K>& map)
{
    std::destroy_at(&map);
    std::construct_at(&map);
}

void CopyStringList(CStrArray_base<64>& to, const CStrArray_base<64>& from);
void CopyFieldMap(CMerxFieldMap& to, const CMerxFieldMap& from);
void CopyListMap(CMerxListMap& to, const CMerxListMap& from);
