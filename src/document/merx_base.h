// Common base of the elements of an item data file, their kind codes and
// the text types they are made of.
#pragma once

#include <cstdint>

#include "foundation/map_element.h"
#include "foundation/str_array.h"
#include "foundation/str_base.h"

constexpr uint8_t CMERX_TYPE_ITEM = 1;   // Citemstruct: an @@ITEM block
constexpr uint8_t CMERX_TYPE_USE = 2;    // Cusestruct: an @@USE entry of an item
constexpr uint8_t CMERX_TYPE_EVENT = 3;  // Ceventstruct: an @@EVENT block
constexpr uint8_t CMERX_TYPE_SINGLE = 4; // Csinglestruct: one function block
constexpr uint8_t CMERX_TYPE_OTHER = 5;  // Cotherstruct: any other text
constexpr uint8_t CMERX_TYPE_DEFINE = 6; // Cdefinestruct: the @@DEFINE block

// Keys, field values, comments and list entries.
using CMerxString = CStr_base<64>;
// Texts of whole blocks (function, other text, definition), "\n" line ends.
using CMerxBlockText = CStr_base<1024>;
// Key -> text (fields, comments).
using CMerxFieldMap = CMapElement<CMerxString, 32>;
// A list of a use entry or its comments. Most lists hold a few lines:
// their storage starts with room for four.
class CMerxList : public CStrArray_base<64> {
public:
    CMerxList() : CStrArray_base<64>(4) {}
};
// Key -> ordered list of texts (use lists and their comments).
using CMerxListMap = CMapElement<CMerxList, 32>;

// Where an element's text stood in the data text the document was read
// from (CMerxDocument::keptText): `length` bytes from `offset`; no place
// (length 0) for an element made after the reading. `content` is the
// content hash (element_compare.h) of what the element held as read.
struct CKeptSpan {
    uint32_t offset = 0;
    uint32_t length = 0;
    uint64_t content = 0;

    bool IsEmpty() const { return length == 0; }
};

// Every element starts with its kind; elements are destroyed through the base.
//
// The place an element was read from belongs to the element where it
// stands, not to what it holds: a copy has none, and an element that takes
// the content of another (a page's apply, a direct edit, a replacement)
// keeps its own, so that the save can tell what changed by comparing the
// content with what was read there.
class CMERX_base {
public:
    virtual ~CMERX_base() = default;

    uint8_t GetKind() const { return m_nKind; }
    const CKeptSpan& GetKeptSpan() const { return m_kept; }
    void SetKeptSpan(const CKeptSpan& span) { m_kept = span; }
    // The element's identity in its document (CMerxDocument::IdentityOf):
    // 0 until the document gives it one. Like the place, it belongs to the
    // element, not to what it holds: a copy has none.
    uint32_t GetId() const { return m_nId; }
    void SetId(uint32_t id) const { m_nId = id; }

protected:
    explicit CMERX_base(uint8_t kind) : m_nKind(kind) {}
    CMERX_base(const CMERX_base& other) : m_nKind(other.m_nKind) {}
    CMERX_base& operator=(const CMERX_base&) { return *this; }

private:
    uint8_t m_nKind;
    mutable uint32_t m_nId = 0; // given on first asking, also of an element seen as const
    CKeptSpan m_kept;
};
