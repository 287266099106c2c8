#include "editing/list_filter.h"

#include <algorithm>

#include "foundation/ascii_case.h"
#include "foundation/sjis.h"

namespace {

// Whether `needle` (ASCII letters in lower case) stands in `text` at `at`,
// a character start.
bool MatchesAt(std::string_view text, size_t at, std::string_view needle)
{
    for (size_t i = 0; i < needle.size();) {
        const size_t length = SjisCharLength(needle.data(), i, needle.size());
        const size_t textLength = SjisCharLength(text.data(), at + i, text.size());
        if (length != textLength)
            return false;
        if (length == 2) {
            if (text[at + i] != needle[i] || text[at + i + 1] != needle[i + 1])
                return false;
        } else if (AsciiLower(text[at + i]) != needle[i]) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace

bool FilterTextMatches(std::string_view text, std::string_view needle)
{
    if (needle.empty())
        return true;
    if (needle.size() > text.size())
        return false;
    const size_t last = text.size() - needle.size();
    for (size_t at = 0; at <= last; at += SjisCharLength(text.data(), at, text.size())) {
        if (AsciiLower(text[at]) == needle[0] && MatchesAt(text, at, needle))
            return true;
    }
    return false;
}

bool CListFilter::Refilter(const char* text, uint32_t count, const CTextsOf& textsOf)
{
    const bool wasActive = IsActive();
    const uint32_t wasCount = m_nCount;
    std::vector<uint32_t> before;
    before.swap(m_lines);
    // The text in lower case, double-byte characters left whole.
    m_strText.Truncate(0);
    for (const char* p = text; *p;) {
        const size_t length = SjisCharLength(p);
        m_strText.Append(length == 2 ? p[0] : AsciiLower(p[0]));
        if (length == 2)
            m_strText.Append(p[1]);
        p += length;
    }
    m_nCount = count;
    if (!IsActive())
        return wasActive || wasCount != count;
    m_lines.reserve(before.size());
    const std::string_view needle(m_strText.GetBuffer(), m_strText.GetLength());
    CTexts texts;
    for (uint32_t i = 0; i < count; ++i) {
        texts.count = 0;
        textsOf(i, texts);
        for (uint32_t t = 0; t < texts.count; ++t) {
            if (FilterTextMatches(texts.text[t], needle)) {
                m_lines.push_back(i);
                break;
            }
        }
    }
    return !wasActive || m_lines != before;
}

void CListFilter::Clear()
{
    m_strText.Truncate(0);
    m_lines.clear();
}

int32_t CListFilter::IndexOf(int32_t line) const
{
    if (!IsActive())
        return line < 0 ? -1 : line;
    return line >= 0 && static_cast<size_t>(line) < m_lines.size() ? static_cast<int32_t>(m_lines[static_cast<size_t>(line)])
                                                                   : -1;
}

int32_t CListFilter::LineOf(int32_t index) const
{
    if (index < 0 || !IsActive())
        return index < 0 ? -1 : index;
    const auto found = std::lower_bound(m_lines.begin(), m_lines.end(), static_cast<uint32_t>(index));
    return found != m_lines.end() && *found == static_cast<uint32_t>(index)
               ? static_cast<int32_t>(found - m_lines.begin())
               : -1;
}

int32_t CListFilter::Remove(uint32_t index)
{
    if (m_nCount > 0)
        --m_nCount;
    const int32_t line = LineOf(static_cast<int32_t>(index));
    if (!IsActive())
        return line;
    if (line >= 0)
        m_lines.erase(m_lines.begin() + line);
    for (uint32_t& shown : m_lines)
        if (shown > index)
            --shown;
    return line;
}

int32_t CListFilter::LineAfterRemoved(uint32_t index, uint32_t lines) const
{
    if (lines == 0)
        return -1;
    const size_t next =
        IsActive() ? static_cast<size_t>(std::lower_bound(m_lines.begin(), m_lines.end(), index) - m_lines.begin())
                   : index;
    return static_cast<int32_t>(std::min<size_t>(next, lines - 1));
}

CFilterFields::CFilterFields(std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        if (m_nCount == CListFilter::kMaxTexts)
            break;
        m_keys[m_nCount] = key;
        m_hashes[m_nCount++] = CMerxFieldMap::Hash(key);
    }
}

void CFilterFields::AddTexts(const CMerxFieldElement& element, CListFilter::CTexts& texts) const
{
    for (uint32_t i = 0; i < m_nCount; ++i) {
        if (const CMerxString* value = element.fields.Lookup(m_keys[i], m_hashes[i]))
            texts.Add({value->GetBuffer(), value->GetLength()});
    }
}
