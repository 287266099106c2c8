// One section of a settings tree.
//
// SectionKey and ValueKey are the key buffer sizes of the two maps (names
// and keys longer than that fit as well: they go to the long-key table), and
// ValueUnit is the allocation unit of the value texts. The sections
// themselves are owned by the store (settings/ini_ex_ctrl.h); a section only
// points at its parent and children.
#pragma once

#include "foundation/map_element.h"
#include "foundation/str_base.h"

template <unsigned SectionKey, unsigned ValueKey, unsigned ValueUnit>
struct IniExElement {
    IniExElement* parent = nullptr;                            // null for the root
    CMapElement<IniExElement*, SectionKey> sections;           // children by name
    CMapElement<CStr_base<ValueUnit>, ValueKey> values;        // values by key
};
