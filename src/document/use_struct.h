// A use entry of an item (@@USE): fields, comments and lists.
//
// Lists hold one entry per line of their key ("job", "ung", "argselect",
// "@@include" and extension lists); the list comments under the same key
// run parallel to the entries: "" for a line without comment, otherwise a
// tab and the comment. Use entries belong to their item and never stand in
// the arrangement. The comment of the "@@USE" line itself stands among the
// comments under kUseLineCommentKey.
#pragma once

#include "document/field_element.h"

// The key of the comment behind an entry's "@@USE" line (from its "#" on):
// the start line's key as the reader takes it, no field or list key.
inline constexpr const char* kUseLineCommentKey = "@@use";

class Cusestruct : public CMerxFieldElement {
public:
    CMerxListMap lists;
    CMerxListMap listcomments;

    Cusestruct() : CMerxFieldElement(CMERX_TYPE_USE) {}
    Cusestruct(const Cusestruct& other);
    // The copy is made whole first: when memory runs out, the use entry
    // stays as it was.
    Cusestruct& operator=(const Cusestruct& other);
    // Exchanges everything with `other`; nothing is copied.
    void Swap(Cusestruct& other) noexcept;

    // The list under `key` (its comments), or null when the list is not defined.
    CStrArray_base<64>* GetList(const char* key) { return lists.Lookup(key); }
    const CStrArray_base<64>* GetList(const char* key) const { return lists.Lookup(key); }
    CStrArray_base<64>* GetListComments(const char* key) { return listcomments.Lookup(key); }
    const CStrArray_base<64>* GetListComments(const char* key) const { return listcomments.Lookup(key); }

    // Back to a use without fields, comments and lists.
    void Clear();
    // TrimFields, and the same for the lists and their comments.
    void TrimValues();
};
