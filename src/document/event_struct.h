// An event (@@EVENT): fields, comments and its "param" lines.
//
// The parameter comments run parallel to the parameters: "" for a line
// without comment, otherwise a tab and the comment.
#pragma once

#include "document/field_element.h"

class Ceventstruct : public CMerxFieldElement {
public:
    CStrArray_base<64> params;
    CStrArray_base<64> paramcomments;

    Ceventstruct() : CMerxFieldElement(CMERX_TYPE_EVENT) {}
    Ceventstruct(const Ceventstruct& other);
    // The copy is made whole first: when memory runs out, the event stays
    // as it was.
    Ceventstruct& operator=(const Ceventstruct& other);
    // Exchanges everything with `other`; nothing is copied.
    void Swap(Ceventstruct& other) noexcept;

    // Back to an event without fields, comments and parameters.
    void Clear();
};
