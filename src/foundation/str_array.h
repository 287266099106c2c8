// Array of strings whose removed elements return to the empty state.
#pragma once

#include "foundation/array_auto.h"
#include "foundation/str_base.h"

template <unsigned N>
class CStrArray_base : public CArrayAuto<CStr_base<N>> {
public:
    using CArrayAuto<CStr_base<N>>::CArrayAuto;

    // Clears the array, then appends the pieces of `text` between the
    // occurrences of `separator` (character starts only). Empty pieces count;
    // n separators give n + 1 pieces.
    void Split(const char* text, const char* separator)
    {
        // The text may be one of this array's own strings, which RemoveAll
        // empties: split a copy.
        const CStr_base<N> source(text ? text : g_szStrEmpty);
        text = source.GetBuffer();
        this->RemoveAll();
        const uint32_t length = static_cast<uint32_t>(std::strlen(text));
        const size_t sepLen = separator ? std::strlen(separator) : 0;
        int32_t from = 0;
        if (sepLen) {
            for (int32_t at = SjisFind(text, length, separator, 0); at >= 0;
                 at = SjisFind(text, length, separator, from)) {
                this->Add()->Assign(text + from, at - from);
                from = at + static_cast<int32_t>(sepLen);
            }
        }
        this->Add()->Assign(text + from);
    }

protected:
    void DestructElements(CStr_base<N>** slots, uint32_t count) override
    {
        if (!this->IsOwning())
            return;
        for (uint32_t i = 0; i < count; ++i)
            slots[i]->Release();
    }
};
