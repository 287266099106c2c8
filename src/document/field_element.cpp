#include "document/field_element.h"

#include "document/map_copy.h"

bool CMerxFieldElement::SetField(const char* key, const char* value)
{
    CMerxString* field = fields.Lookup(key);
    if (!field)
        return false;
    field->Assign(value);
    return true;
}

const char* CMerxFieldElement::GetComment(const char* key) const
{
    const CMerxString* comment = comments.Lookup(key);
    return comment ? comment->GetBuffer() : "";
}

CMerxFieldElement::CMerxFieldElement(const CMerxFieldElement& other) : CMERX_base(other)
{
    CopyFieldMap(fields, other.fields);
    CopyFieldMap(comments, other.comments);
}

CMerxFieldElement& CMerxFieldElement::operator=(const CMerxFieldElement& other)
{
    CMerxFieldMap copiedFields;
    CMerxFieldMap copiedComments;
    CopyFieldMap(copiedFields, other.fields);
    CopyFieldMap(copiedComments, other.comments);
    fields.Swap(copiedFields);
    comments.Swap(copiedComments);
    return *this;
}

namespace {

bool IsEmptyText(const CMerxString& text) { return text.IsEmpty(); }

} // namespace

void CMerxFieldElement::TrimFields()
{
    fields.TrimValues(IsEmptyText);
    comments.TrimValues(IsEmptyText);
}

void CMerxFieldElement::ClearFields()
{
    ResetMap(fields);
    ResetMap(comments);
}
