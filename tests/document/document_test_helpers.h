// Shared helpers of the document tests: a document under a given rule, the
// reader run over a text, and short views of elements.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/sjis_literal.h"
#include "pattern/sjis_backslash_matcher.h"

namespace dtest {

// User matcher 0, registered once for the whole test program as the editor
// does at start-up.
inline const bool kMatcherRegistered = (RegisterSjisBackslashMatcher(), true);

struct Rule {
    bool beta = false;
    bool include = false;
};

// A document whose key lists are built for `rule`.
class Document : public CMerxDocument {
public:
    explicit Document(Rule rule = {}) { RebuildKeyLists(rule.beta, rule.include); }

    // Parses `text` and returns the messages.
    std::string Parse(const std::string& text)
    {
        m_strApplyError.Release();
        CMerxReader reader(*this);
        EXPECT_TRUE(reader.Parse(text.c_str()));
        return Messages();
    }

    std::string Messages() const { return m_strApplyError.GetBuffer(); }
};

inline std::string Str(const CMerxString* s)
{
    return s ? std::string(s->GetBuffer(), s->GetLength()) : std::string("<undefined>");
}

inline std::string Field(const CMerxFieldElement& element, const char* key)
{
    return Str(element.GetField(key));
}

inline std::vector<std::string> List(const CStrArray_base<64>* list)
{
    std::vector<std::string> out;
    if (!list)
        return {"<undefined>"};
    for (const CMerxString& entry : *list)
        out.emplace_back(entry.GetBuffer(), entry.GetLength());
    return out;
}

// One letter per arrangement entry: I item, E event, F function, O other
// text, D definition.
inline std::string Arrangement(const CMerxDocument& doc)
{
    std::string out;
    for (CMERX_base* const& element : doc.setdata) {
        switch (element->GetKind()) {
        case CMERX_TYPE_ITEM: out += 'I'; break;
        case CMERX_TYPE_EVENT: out += 'E'; break;
        case CMERX_TYPE_SINGLE: out += 'F'; break;
        case CMERX_TYPE_OTHER: out += 'O'; break;
        case CMERX_TYPE_DEFINE: out += 'D'; break;
        default: out += '?'; break;
        }
    }
    return out;
}

inline std::string OtherText(const CMerxDocument& doc, uint32_t position)
{
    const CMERX_base* element = doc.setdata[position];
    if (element->GetKind() != CMERX_TYPE_OTHER)
        return "<not other text>";
    return static_cast<const Cotherstruct*>(element)->text.GetBuffer();
}

} // namespace dtest
