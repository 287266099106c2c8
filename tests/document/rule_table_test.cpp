// The rule table and applying a rule.
#include "document/rule_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "document_test_helpers.h"

namespace {

namespace fs = std::filesystem;
using Strs = std::vector<std::string>;
using dtest::Strings;

const char* const kSampleFolder = TAVARO_SOURCE_DIR "/examples/makeitem_rules";

std::string Value(CSettingsStore& tree, const char* path)
{
    const CStr_base<64>* value = tree.GetValue(path);
    return value ? value->GetBuffer() : "<missing>";
}

// Rule rows one a line: name, slot types, separator, options, the pattern
// when it splits, "array" for a list, the used flags and the slots with a
// user list.
std::string Describe(const CArrayAuto<ItemExParams>& rows)
{
    std::ostringstream out;
    for (const ItemExParams& p : rows) {
        out << p.name.GetBuffer() << std::hex << " " << p.type[0] << "," << p.type[1] << "," << p.type[2] << std::dec
            << " sep=" << p.separator.GetBuffer() << " opt=" << p.regexOpt.GetBuffer();
        if (p.regexSep)
            out << " regex=" << p.sepRegexPattern.GetBuffer();
        if (p.array)
            out << " array";
        for (uint32_t i = 0, n = 0; i < kItemExFlagCount; ++i)
            if (p.IsFlagUsed(i))
                out << (n++ ? "," : " flags=") << i << ":" << p.checkKey[i].GetBuffer();
        for (uint32_t i = 0, n = 0; i < kItemExSlotCount; ++i)
            if (p.userList[i])
                out << (n++ ? "," : " lists=") << i + 1;
        out << "\n";
    }
    return out.str();
}

// Writes a rule file with each LF as CR LF, as the editor's files are kept.
void PutRule(const TempFolder& folder, const std::string& name, const std::string& text)
{
    std::string bytes;
    for (char c : text)
        bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    folder.Put(name, bytes);
}

// A rule table and a document to apply its rules to: the sample rules, or
// one rule "t.sir" read from a text.
struct Rules {
    TempFolder folder;
    CRuleTable table;
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;

    Rules() { LoadRuleTable(table, kSampleFolder); }
    explicit Rules(const std::string& text)
    {
        PutRule(folder, "t.sir", text);
        LoadRuleTable(table, folder.Path().c_str());
    }
    bool Apply(const char* key, bool includeAsElement = false, ItemExRowReader reader = ReadItemExParams)
    {
        return ApplyRule(table, key, includeAsElement, applied, doc, message, reader);
    }
};

} // namespace

// Two built-in rules, then the rule files; a missing or empty folder gives
// the built-in rules only.
TEST(RuleTable, BuiltInRulesAndSampleFiles)
{
    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, kSampleFolder), 2u);
    EXPECT_EQ(Value(*table.Lookup(StableRuleKey()), "/BetaEnable"), "false");
    EXPECT_EQ(Value(*table.Lookup("harbor-beta.sir"), "/ItemRules/0/Name"), "Grade");
    for (const char* folder : {"/nonexistent/tavaro/makeitem_rules", ""}) {
        CRuleTable builtIn;
        EXPECT_EQ(LoadRuleTable(builtIn, folder), 0u);
        EXPECT_EQ(builtIn.GetCount(), 2u);
    }
}

// Files whose names end in ".sir" in any case; a file that cannot be read
// (a broken link, a zero byte) leaves an empty tree, a refused line keeps
// what was read before it; loading again replaces every tree.
TEST(RuleTable, EveryFileEndingInSirIsARule)
{
    TempFolder folder;
    for (const char* name : {"b.sir", "a.SIR", "c.txt", "d.sir.bak"})
        PutRule(folder, name, std::string("RuleName=") + name + "\nBetaEnable=true\n");
    fs::create_directories(fs::path(folder.Path()) / "e.sir");
    fs::create_symlink(fs::path(folder.Path()) / "nowhere", fs::path(folder.Path()) / "broken.sir");
    PutRule(folder, "zero.sir", std::string("RuleName=Z\n\0x=y\n", 16));
    PutRule(folder, "refused.sir", "RuleName=X\n[EndSection]\nBetaEnable=true\n");

    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, folder.Path().c_str()), 5u);
    EXPECT_EQ(Value(*table.Lookup("refused.sir"), "/RuleName"), "X");
    EXPECT_EQ(Value(*table.Lookup("refused.sir"), "/BetaEnable"), "<missing>");
    PutRule(folder, "b.sir", "RuleName=New\n");
    LoadRuleTable(table, folder.Path().c_str());
    EXPECT_EQ(Value(*table.Lookup("b.sir"), "/BetaEnable"), "<missing>");
    EXPECT_EQ(Value(*table.Lookup("a.SIR"), "/RuleName"), "a.SIR");
    for (const char* name : {"broken.sir", "zero.sir"}) {
        ASSERT_NE(table.Lookup(name), nullptr) << name;
        EXPECT_EQ(table.Lookup(name)->GetRoot()->values.GetCount(), 0u) << name;
    }
    for (const char* name : {"c.txt", "d.sir.bak", "e.sir"})
        EXPECT_EQ(table.Lookup(name), nullptr) << name;
}

// A "\\" is a character of the folder's and the files' names; a name
// that no path text holds is no rule.
TEST(RuleTable, BackslashesBelongToTheNames)
{
    TempFolder folder;
    fs::create_directories(fs::path(folder.Path()) / "my\\rules");
    fs::create_directories(fs::path(folder.Path()) / "my" / "rules");
    PutRule(folder, "my/rules/wrong.sir", "RuleName=wrong\n");
    PutRule(folder, "my\\rules/a\\b.sir", "RuleName=AB\n");
    PutRule(folder, "my\\rules/caf\xc3\xa9.sir", "RuleName=cafe\n");
    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, (folder.Path() + "/my\\rules").c_str()), 1u);
    ASSERT_NE(table.Lookup("a\\b.sir"), nullptr);
    EXPECT_EQ(Value(*table.Lookup("a\\b.sir"), "/RuleName"), "AB");
    EXPECT_EQ(table.GetCount(), 3u);
    EXPECT_STREQ(RuleKeyOfPath("/p/makeitem_rules/x\\y.sir"), "x\\y.sir");
    EXPECT_STREQ(RuleKeyOfPath("z.sir"), "z.sir");
}

// The key lists that go with the kind are tested with the document.
TEST(ApplyRule, BuiltInRulesSetTheKindOfKeyListsAndAnUnknownKeyChangesNothing)
{
    Rules rules;
    ASSERT_TRUE(rules.Apply(BetaRuleKey(), true));
    EXPECT_STREQ(rules.applied.ruleName, SJ("標準 ベータ版(040318)"));
    EXPECT_TRUE(rules.applied.beta && rules.doc.IsBeta() && rules.doc.IsIncludeAsElement());
    EXPECT_EQ(rules.applied.itemRules.GetCount() + rules.applied.useRules.GetCount(), 0u);

    EXPECT_FALSE(rules.Apply("missing.sir"));
    EXPECT_STREQ(rules.message, "");
    EXPECT_STREQ(rules.applied.ruleKey, BetaRuleKey());

    ASSERT_TRUE(rules.Apply(StableRuleKey()));
    EXPECT_STREQ(rules.applied.ruleName, SJ("標準 安定版(020728)"));
    EXPECT_FALSE(rules.applied.beta || rules.doc.IsBeta());
}

// A rule applied over another replaces its extension fields, and reused
// records keep nothing of the earlier rule's (the sample rules' rows are
// the files' own, not restated here).
TEST(ApplyRule, ARuleAppliedOverAnotherKeepsNothingOfIt)
{
    Rules fresh;
    ASSERT_TRUE(fresh.Apply("harbor-stable.sir", true));
    Rules reused;
    ASSERT_TRUE(reused.Apply("harbor-beta.sir"));
    EXPECT_STREQ(reused.message, "");
    ASSERT_TRUE(reused.Apply("harbor-stable.sir", true));
    EXPECT_FALSE(reused.applied.beta);
    EXPECT_EQ(Describe(reused.applied.itemRules), Describe(fresh.applied.itemRules));
    EXPECT_EQ(Describe(reused.applied.useRules), Describe(fresh.applied.useRules));
    EXPECT_EQ(Strings(reused.doc.itemextkeys), Strings(fresh.doc.itemextkeys));
    EXPECT_EQ(Strings(reused.doc.usefieldextkeys), Strings(fresh.doc.usefieldextkeys));
    EXPECT_EQ(Strings(reused.doc.uselistextkeys), Strings(fresh.doc.uselistextkeys));
}

TEST(ApplyRule, RowsStopAtTheFirstMissingNumberAndSkipEmptyNames)
{
    // Only "true" makes a beta rule; item rules hold no lists; type
    // keywords are compared exactly; names are lower-cased for ASCII letters
    // only, a double-byte character stays whole; "RegexSep" counts only as
    // "true".
    Rules rules("RuleName=R\nBetaEnable=TRUE\n"
                "[ItemRules]\n"
                "[0]\nName=First\nArray=true\nType1=EDIT\nType2=CHECK\nType3=edit\n[EndSection]\n"
                "[1]\nName=\nType1=EDIT\n[EndSection]\n"
                "[2]\nType1=EDIT\n[EndSection]\n"
                "[3]\nName=\x83\x41X\x83Z\nRegexOpt=\nRegexSep=True\nCheckInfo4=c\nCheckKey4=k\nCheckKey3=k\n[EndSection]\n"
                "[5]\nName=Never\n[EndSection]\n"
                "[EndSection]\n"
                "[UseRules]\n"
                "[1]\nName=Missing0\n[EndSection]\n"
                "[EndSection]\n");
    ASSERT_TRUE(rules.Apply("t.sir"));
    EXPECT_STREQ(rules.applied.ruleName, "R");
    EXPECT_FALSE(rules.applied.beta);
    EXPECT_EQ(Describe(rules.applied.itemRules), "first 200,0,0 sep= opt=g\n\x83\x41x\x83Z 0,0,0 sep= opt= flags=4:k\n");
    EXPECT_EQ(rules.applied.useRules.GetCount(), 0u);
    EXPECT_EQ(Strings(rules.doc.itemextkeys), (Strs{"first", "\x83\x41x\x83Z"}));

    Rules empty("");
    ASSERT_TRUE(empty.Apply("t.sir"));
    EXPECT_STREQ(empty.applied.ruleName, "");
    EXPECT_FALSE(empty.applied.beta);
}

TEST(ApplyRule, ARaiseWhileReadingARowNamesTheRow)
{
    Rules rules("[ItemRules]\n[0]\nName=Good\n[EndSection]\n[1]\nName=BAD\n[EndSection]\n[EndSection]\n");
    const ItemExRowReader raising = [](const CRuleSection& row, bool useRule, ItemExParams& params) {
        ReadItemExParams(row, useRule, params);
        if (params.name == "bad")
            throw static_cast<int32_t>(0);
    };
    EXPECT_FALSE(rules.Apply("t.sir", false, raising));
    EXPECT_STREQ(rules.message, SJ("ルールファイルの解析中にエラーが発生しました。\n\"BAD\"の解析に失敗しました。"));
}
