// The filter box over an element list: which elements a filter text keeps,
// and which list line shows which element.
//
// Without a filter text the list shows every element and line i is element
// i. With one, the list shows, in the elements' order, those of whose texts
// one contains the filter text: ASCII letters match without regard to case,
// every other byte as it is, and a match starts on a character (a second
// byte of a double-byte character never begins one, and a double-byte
// character matches only itself). Every page code that turns a list line
// into an element index, or back, asks the filter.
//
// The filter reads the elements' texts where they lie: a refilter copies no
// text, it keeps the indexes of the shown elements only.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "document/field_element.h"
#include "foundation/str_base.h"

// Whether `needle` occurs in `text` as the filter matches; an empty needle
// occurs everywhere.
bool FilterTextMatches(std::string_view text, std::string_view needle);

class CListFilter {
public:
    // The texts of one element that the filter looks in (up to three, such
    // as an item's "no", "code" and "name"; more are not looked in); the
    // views stay valid until the next call.
    static constexpr uint32_t kMaxTexts = 3;
    struct CTexts {
        std::string_view text[kMaxTexts];
        uint32_t count = 0;
        void Add(std::string_view t)
        {
            if (count < kMaxTexts)
                text[count++] = t;
        }
    };
    using CTextsOf = std::function<void(uint32_t index, CTexts& texts)>;

    // Takes a new filter text (CP932) and lists anew the `count` elements
    // whose texts `textsOf` gives; an empty text shows them all. Returns
    // whether the list shows other elements than before (a keystroke that
    // keeps the same elements need not refill the list).
    bool Refilter(const char* text, uint32_t count, const CTextsOf& textsOf);
    // The filter text goes: every element is listed.
    void Clear();

    bool IsActive() const { return !m_strText.IsEmpty(); }
    const CStr_base<64>& Text() const { return m_strText; }

    // The lines the list has while a filter text is set.
    uint32_t FilteredCount() const { return static_cast<uint32_t>(m_lines.size()); }
    // The element on list line `line`; -1 for no line (a negative one, or
    // one past the shown elements).
    int32_t IndexOf(int32_t line) const;
    // The line that shows element `index`; -1 for an element the filter
    // hides, or for -1.
    int32_t LineOf(int32_t index) const;

    // Element `index` left the document (the later ones move up one); returns
    // the line it had, -1 when it was hidden.
    int32_t Remove(uint32_t index);
    // The line to select after element `index` went from a list now of
    // `lines` lines: the first line showing an element at or after it, or
    // the last line; -1 for an empty list.
    int32_t LineAfterRemoved(uint32_t index, uint32_t lines) const;

private:
    CStr_base<64> m_strText;      // the filter text, ASCII letters in lower case
    std::vector<uint32_t> m_lines; // with a filter text: the shown elements, in order
    uint32_t m_nCount = 0;         // the elements at the last refilter
};

// The fields of an element that a filter looks in (an item's "no", "code"
// and "name"), their keys hashed once for the many elements of a list.
class CFilterFields {
public:
    CFilterFields(std::initializer_list<const char*> keys);
    // The texts of those fields of `element` that it has.
    void AddTexts(const CMerxFieldElement& element, CListFilter::CTexts& texts) const;

private:
    const char* m_keys[CListFilter::kMaxTexts] = {};
    uint32_t m_hashes[CListFilter::kMaxTexts] = {};
    uint32_t m_nCount = 0;
};
