// Shared helpers of the document tests: a document under a given rule, the
// reader run over a text, the sample files, and short views of elements.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "document/data_writer.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "document/project_info.h"
#include "document/rule_table.h"
#include "foundation/sjis_literal.h"
#include "pattern/editor_matchers.h"

namespace dtest {

// User matcher 0, registered once for the whole test program as the editor
// does at start-up.
inline const bool kMatcherRegistered = (RegisterEditorMatchers(), true);

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
        CMerxReader reader(*this);
        EXPECT_TRUE(reader.Parse(text.c_str()));
        return reader.Messages().GetBuffer();
    }
};

inline std::string Text(const CWriterText& text) { return std::string(text.GetBuffer(), text.GetLength()); }

// What saving and reading back in text mode does to the writer's text:
// every CR LF becomes LF; a lone CR stays.
inline std::string ThroughFile(std::string written)
{
    for (size_t at = written.find("\r\n"); at != std::string::npos; at = written.find("\r\n", at))
        written.erase(at, 1);
    return written;
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

// A sample data file as the reader gets it, without its project-information
// block, with the rule that block names (from the examples' rules) applied
// to `doc`.
inline std::string SampleUnderItsRule(const char* name, CMerxDocument& doc)
{
    CRuleTable rules;
    LoadRuleTable(rules, TAVARO_SOURCE_DIR "/examples/makeitem_rules");
    CStr_base<16384> text(SampleFile(name).c_str());
    CStr_base<1024> body;
    EXPECT_TRUE(CutProjectInfoBlock(text, body)) << name;
    CAppliedRule applied;
    CStr_base<64> message;
    EXPECT_TRUE(ApplyRule(rules, ReadProjectInfoBody(body).ruleKey, false, applied, doc, message)) << name;
    return text.GetBuffer();
}

// Every element of the arrangement as its kind ("?IUEFOD"[kind]) and the
// text the writer makes of it: documents with the same view hold the same
// elements in the same places.
inline std::vector<std::string> ElementTexts(const CMerxDocument& doc)
{
    std::vector<std::string> out;
    const CMerxWriter writer(doc);
    for (CMERX_base* const& element : doc.setdata)
        out.push_back("?IUEFOD"[element->GetKind()] + Text(writer.WriteElement(*element)));
    return out;
}

// The lines of a data text that begin with `start`, each with the number of
// "@@ITEM" lines before it.
inline std::vector<std::pair<int, std::string>> LinesAmongItems(const std::string& text, const std::string& start)
{
    std::vector<std::pair<int, std::string>> out;
    int items = 0;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(at, end - at);
        if (line.starts_with("@@ITEM"))
            ++items;
        if (line.starts_with(start))
            out.emplace_back(items, line);
        at = end + 1;
    }
    return out;
}

inline std::string Field(const CMerxFieldElement& element, const char* key)
{
    const CMerxString* value = element.GetField(key);
    return value ? std::string(value->GetBuffer(), value->GetLength()) : std::string("<undefined>");
}

// A list as its texts.
inline std::vector<std::string> Strings(const CStrArray_base<64>& list)
{
    std::vector<std::string> out;
    for (const CMerxString& entry : list)
        out.emplace_back(entry.GetBuffer(), entry.GetLength());
    return out;
}

// A list as one text: every entry followed by "|".
inline std::string Joined(const CStrArray_base<64>* list)
{
    if (!list)
        return "<undefined>";
    std::string out;
    for (const CMerxString& entry : *list)
        out += std::string(entry.GetBuffer(), entry.GetLength()) + "|";
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
        return Joined(list);
    }
    return comment ? std::string(element.GetComment(name.c_str())) : Field(element, name.c_str());
}

} // namespace dtest
