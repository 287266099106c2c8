// The keys that every item, use entry and event of a parse starts with.
//
// The key lists of the document (with the extension keys of the applied
// rule) are turned into maps once; each element read then takes the keys
// of its map in one step, with the same order and chains as adding them one
// by one would give. The maps hold their values virtually, so an element
// costs nothing for the keys it does not give.
#pragma once

#include "document/merx_base.h"

class CMerxDocument;

struct CElementKeyMaps {
    CMerxFieldMap itemFields;  // itemkeys, then the item extension keys
    CMerxFieldMap useFields;   // usekeys, then the use extension fields
    CMerxFieldMap useLists;    // uselistkeys, then the use extension lists
    CMerxFieldMap eventFields; // eventkeys
    CMerxFieldMap comments;    // the entry "" of the comment-only lines

    // Refills the maps from the document's key lists.
    void Build(const CMerxDocument& doc);
};
