// Messages and comment-only lines of the reader.
#include <algorithm>
#include <cstdarg>

#include "document/element_compare.h"
#include "document/element_reader.h"
#include "foundation/sjis_literal.h"

void CElementReader::Message(const char* format, ...)
{
    CStr_base<1024> message;
    va_list args;
    va_start(args, format);
    message.FormatV(format, args);
    va_end(args);
    m_messages += message;
}

void CElementReader::ReadNonFieldLine(CMerxFieldElement& element, const CFieldLine& field, const char* indent,
                                   const char* cannotParse, uint32_t number)
{
    if (!field.comment.IsEmpty()) {
        CMerxString* free = element.comments.GetOrInsert("");
        *free += indent;
        free->Append(field.comment.text, static_cast<int32_t>(field.comment.length));
        *free += "\r\n";
    }
    if (!field.trimmed.IsEmpty())
        Message(cannotParse, number, field.trimmed.ToString().GetBuffer());
}

void CElementReader::NoteRepeatedField(std::vector<const CMerxString*>& seen, const CMerxString* value,
                                       const CFieldLine& field, const char* kind, uint32_t number)
{
    if (std::find(seen.begin(), seen.end(), value) == seen.end()) {
        seen.push_back(value);
        return;
    }
    Message(SJ("[%u]：%s：要素名\"%s\"が重複しています。後の値を使います。\n"), number, kind, field.key.GetBuffer());
}

bool CElementReader::InKeptText(const char* text, uint32_t length) const
{
    return m_pKeptText && text >= m_pKeptText && text + length <= m_pKeptText + m_nKeptLength;
}

void CElementReader::NoteKeptSpan(Citemstruct& item, const char* text, uint32_t length) const
{
    if (InKeptText(text, length))
        item.SetKeptSpan({static_cast<uint32_t>(text - m_pKeptText), length, ContentHash(item)});
}

void CElementReader::NoteKeptSpan(Ceventstruct& event, const char* text, uint32_t length) const
{
    if (InKeptText(text, length))
        event.SetKeptSpan({static_cast<uint32_t>(text - m_pKeptText), length, ContentHash(event)});
}
