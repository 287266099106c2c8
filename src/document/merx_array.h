// Container of document elements (items, uses, events, other texts, types,
// jobs).
//
// A self-growing array keeps the storage of a removed element and hands it
// out again on the next append; this one empties the element on removal, so
// an appended element always starts empty, with no place in the kept text
// and no identity.
#pragma once

#include <type_traits>

#include "document/merx_base.h"
#include "foundation/array_auto.h"

template <class T>
class CMerxArray : public CArrayAuto<T> {
public:
    using CArrayAuto<T>::CArrayAuto;

    // The index of `element` in the array, or -1.
    int32_t IndexOf(const CMERX_base* element) const
    {
        for (uint32_t i = 0; i < this->GetCount(); ++i)
            if (this->GetAt(i) == element)
                return static_cast<int32_t>(i);
        return -1;
    }

protected:
    void DestructElements(T** slots, uint32_t count) override
    {
        for (uint32_t i = 0; i < count; ++i) {
            slots[i]->Clear();
            if constexpr (std::is_base_of_v<CMERX_base, T>) {
                slots[i]->SetKeptSpan({});
                slots[i]->SetId(0);
            }
        }
    }
};
