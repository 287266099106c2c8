// Fields and comments of an item, a use entry or an event.
//
// Fields map each key of the element's key list to its text as it stands in
// the file; an empty text means that the field is not given, and a key that
// is absent is not defined for the rule the element was read under.
// Comments map a field's key to the comment behind its line (from its "#"
// on); the entry under the empty key "" collects the element's comment-only
// lines, each with its indentation and CRLF.
#pragma once

#include "document/merx_base.h"

class CMerxFieldElement : public CMERX_base {
public:
    CMerxFieldMap fields;
    CMerxFieldMap comments;

    // The value under `key`, or null when the key is not defined.
    const CMerxString* GetField(const char* key) const { return fields.Lookup(key); }
    // The text under `key`; "" when the key is not defined.
    const char* FieldText(const char* key) const
    {
        const CMerxString* value = fields.Lookup(key);
        return value ? value->GetBuffer() : "";
    }
    // Stores `value` under a defined key; false (and nothing stored) when
    // the key is not defined.
    bool SetField(const char* key, const char* value);

    // The comment under `key`; "" when there is none.
    const char* GetComment(const char* key) const;
    void SetComment(const char* key, const char* comment) { comments.GetOrInsert(key)->Assign(comment); }

    // Gives back the room of the fields and comments that the element just
    // read does not give (CMapElement::TrimValues): pointers to its values
    // no longer hold.
    void TrimFields();

protected:
    explicit CMerxFieldElement(uint8_t kind) : CMERX_base(kind) {}
    CMerxFieldElement(const CMerxFieldElement& other);
    // Copies are made whole before they take an element's place: when
    // memory runs out, the element stays as it was.
    CMerxFieldElement& operator=(const CMerxFieldElement& other);
    // Exchanges fields and comments with `other`; nothing is copied.
    void SwapFields(CMerxFieldElement& other) noexcept
    {
        fields.Swap(other.fields);
        comments.Swap(other.comments);
    }

    // Empties both maps.
    void ClearFields();
};
