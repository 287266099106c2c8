// Where an element is shown: the page of the editor that lists it and its
// index there. The tools name their results this way, and the pages and the
// command line read them back.
#pragma once

#include <cstdint>

#include "document/merx_document.h"

// The tabs of the editing pages, in the order of the tab control.
enum CPageTab : int32_t {
    kTabItem = 0,
    kTabEvent = 1,
    kTabFunction = 2,
    kTabDefinition = 3,
    kTabArrangement = 4,
    kTabProject = 5,
};

// An element on a page: the page's tab (0 to 5) and the element's index in
// that page's list; -1 where there is none.
struct CPageElement {
    int32_t tab = -1;
    int32_t index = -1;
    bool operator==(const CPageElement&) const = default;
};

// Where the element with identity `id` of `doc` is shown: an item or event
// on its page at its index, a function block at the index of its keyword,
// the definition at 0, an other text on the arrangement page at its place;
// {-1, -1} for none.
CPageElement PageElementOf(CMerxDocument& doc, uint32_t id);
