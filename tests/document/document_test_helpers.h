// Shared helpers of the document tests: a document under a given rule, the
// reader run over a text, short views of elements, and the checker of the
// element tables (read a text, look at the element, write it, read it again).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "document/data_writer.h"
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

inline std::string Text(const CWriterText& text) { return std::string(text.GetBuffer(), text.GetLength()); }

// What saving and reading back in text mode does to the writer's text:
// every CR LF becomes LF; a lone CR stays.
inline std::string ThroughFile(const std::string& written)
{
    std::string text;
    for (size_t i = 0; i < written.size(); ++i) {
        if (!(written[i] == '\r' && i + 1 < written.size() && written[i + 1] == '\n'))
            text += written[i];
    }
    return text;
}

// A sample data file of the examples folder as the reader gets it.
inline std::string SampleFile(const char* name)
{
    std::ifstream file(std::string(TAVARO_SOURCE_DIR "/examples/") + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    EXPECT_FALSE(bytes.str().empty()) << name;
    return ThroughFile(bytes.str());
}

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

// A list as one text: every entry followed by "|" ("" for no entries).
inline std::string Joined(const std::vector<std::string>& entries)
{
    std::string out;
    for (const std::string& entry : entries)
        out += entry + "|";
    return out;
}

// A view of an element for table rows: "key" the field ("<undefined>" when
// the key is not defined), "#key" its comment ("#" the comment-only lines),
// "key[]" a use list or, as "param[]", the event parameters, and "#key[]"
// their comments, all as Joined gives them.
inline std::string Look(const CMerxFieldElement& element, const std::string& key)
{
    const bool comment = !key.empty() && key[0] == '#';
    std::string name = comment ? key.substr(1) : key;
    if (name.size() > 2 && name.ends_with("[]")) {
        name.resize(name.size() - 2);
        const CStrArray_base<64>* list = nullptr;
        if (const auto* use = dynamic_cast<const Cusestruct*>(&element))
            list = comment ? use->GetListComments(name.c_str()) : use->GetList(name.c_str());
        else if (const auto* event = dynamic_cast<const Ceventstruct*>(&element); event && name == "param")
            list = comment ? &event->paramcomments : &event->params;
        return Joined(List(list));
    }
    return comment ? std::string(element.GetComment(name.c_str())) : Field(element, name.c_str());
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

// One row of an element table: the element's text as read, what the reader
// reports, what the element then holds (keys as Look takes them), and the
// text the writer makes of it.
struct ElementCase {
    const char* name;
    std::string text;
    std::string messages;
    std::vector<std::pair<std::string, std::string>> holds;
    std::string written;
    Rule rule = {};
    uint32_t firstLine = 0; // lines of the data text before the element
};

inline void PrintTo(const ElementCase& row, std::ostream* out) { *out << row.name; }
inline std::string CaseName(const ::testing::TestParamInfo<ElementCase>& info) { return info.param.name; }

inline bool ReadElement(CMerxReader& reader, Citemstruct& item, const char* text, uint32_t& line)
{
    return reader.ParseItem(item, text, line);
}
inline bool ReadElement(CMerxReader& reader, Ceventstruct& event, const char* text, uint32_t& line)
{
    return reader.ParseEvent(event, text, line);
}
inline std::string WriteElement(const CMerxDocument& doc, const Citemstruct& item)
{
    return Text(CMerxWriter(doc).WriteItem(item));
}
inline std::string WriteElement(const CMerxDocument& doc, const Ceventstruct& event)
{
    return Text(CMerxWriter(doc).WriteEvent(event));
}

// Checks one row. The element is read over one that already holds `dirty`
// (nothing of it may stay), under a rule with the item extension field
// "rare", the use extension field "bonus" and the use extension list
// "drops". `prefix` goes in front of the row's text and `writtenPrefix` in
// front of its written text; `view` picks what the row looks at. The
// line counter must pass every line feed of the text, and the written
// text, read again, must give no message and the same text.
template <class Element>
void ExpectElementCase(const ElementCase& row, const char* dirty, const std::string& prefix = "",
                       const std::string& writtenPrefix = "",
                       const std::function<const CMerxFieldElement&(const Element&)>& view =
                           [](const Element& element) -> const CMerxFieldElement& { return element; })
{
    SCOPED_TRACE(row.name);
    Document doc(row.rule);
    doc.AddItemExtensionKey("rare");
    doc.AddUseExtensionKey("bonus", false);
    doc.AddUseExtensionKey("drops", true);
    CMerxReader reader(doc);
    Element element;
    uint32_t line = 0;
    ASSERT_TRUE(ReadElement(reader, element, dirty, line));

    const std::string text = prefix + row.text;
    doc.m_strApplyError.Release();
    line = row.firstLine;
    ASSERT_TRUE(ReadElement(reader, element, text.c_str(), line));
    EXPECT_EQ(doc.Messages(), row.messages);
    EXPECT_EQ(line, row.firstLine + std::count(text.begin(), text.end(), '\n'));
    for (const auto& [key, value] : row.holds)
        EXPECT_EQ(Look(view(element), key), value) << key;

    const std::string written = WriteElement(doc, element);
    EXPECT_EQ(written, writtenPrefix + row.written);
    doc.m_strApplyError.Release();
    Element again;
    line = 0;
    ASSERT_TRUE(ReadElement(reader, again, ThroughFile(written).c_str(), line));
    EXPECT_EQ(doc.Messages(), "");
    EXPECT_EQ(WriteElement(doc, again), written);
}

} // namespace dtest
