// The rule table, applying a rule, and the text of extension fields.
#include "document/rule_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "document_test_helpers.h"
#include "foundation/sjis_literal.h"

namespace {

namespace fs = std::filesystem;

const char* const kSampleFolder = TAVARO_SOURCE_DIR "/examples/makeitem_rules";

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder()
    {
        static int counter = 0;
        m_path = fs::temp_directory_path() /
                 ("tavaro_rules_" + std::to_string(getpid()) + "_" + std::to_string(++counter));
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    std::string Path() const { return m_path.string(); }
    // Writes `text` with each LF as CR LF, as the editor's files are kept.
    void Write(const std::string& name, const std::string& text) const
    {
        std::string bytes;
        for (char c : text) {
            if (c == '\n')
                bytes += '\r';
            bytes += c;
        }
        std::ofstream(m_path / name, std::ios::binary) << bytes;
    }

private:
    fs::path m_path;
};

std::string Value(CRuleTree& tree, const char* path)
{
    const CStr_base<64>* value = tree.GetValue(path);
    return value ? value->GetBuffer() : "<missing>";
}

std::vector<std::string> Strings(const CStrArray_base<64>& list)
{
    std::vector<std::string> out;
    for (const CStr_base<64>& s : list)
        out.emplace_back(s.GetBuffer());
    return out;
}

using Strs = std::vector<std::string>;

// A table that holds one rule "t.sir" read from `text`.
struct OneRule {
    TempFolder folder;
    CRuleTable table;
    explicit OneRule(const std::string& text)
    {
        folder.Write("t.sir", text);
        LoadRuleTable(table, folder.Path().c_str());
    }
};

} // namespace

TEST(RuleTypeCodes, KeywordsAreComparedExactly)
{
    EXPECT_EQ(ItemExTypeCode("CHECK"), 0x100u);
    EXPECT_EQ(ItemExTypeCode("EDIT"), 0x200u);
    EXPECT_EQ(ItemExTypeCode("LIST_ITEMNAME"), 0x301u);
    EXPECT_EQ(ItemExTypeCode("LIST_ITEMCODE"), 0x302u);
    EXPECT_EQ(ItemExTypeCode("LIST_ITEMNO"), 0x303u);
    EXPECT_EQ(ItemExTypeCode("LIST_ITEMTYPE"), 0x304u);
    EXPECT_EQ(ItemExTypeCode("LIST_JOB"), 0x305u);
    EXPECT_EQ(ItemExTypeCode("LIST_EVENTCODE"), 0x306u);
    EXPECT_EQ(ItemExTypeCode("LIST_USER"), 0x307u);
    EXPECT_EQ(ItemExTypeCode("edit"), 0u);
    EXPECT_EQ(ItemExTypeCode("EDIT "), 0u);
    EXPECT_EQ(ItemExTypeCode(""), 0u);
}

TEST(RuleKey, IsTheFileNameWithItsExtension)
{
    EXPECT_STREQ(RuleKeyOfPath("C:\\tool\\makeitem_rules\\harbor.sir"), "harbor.sir");
    EXPECT_STREQ(RuleKeyOfPath("harbor.sir"), "harbor.sir");
    EXPECT_STREQ(RuleKeyOfPath("/tmp/x\\a.b.sir"), "a.b.sir");
}

TEST(RuleFolder, IsBesideTheProgram)
{
    const std::string folder = RuleFolderBesideProgram().GetBuffer();
    ASSERT_GT(folder.size(), 15u);
    EXPECT_EQ(folder.substr(folder.size() - 15), "\\makeitem_rules");
}

TEST(RuleTable, BuiltInRulesAndSampleFiles)
{
    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, kSampleFolder), 2u);

    CRuleTree* stable = table.Lookup(SJ("標準 安定版(020728)"));
    ASSERT_NE(stable, nullptr);
    EXPECT_EQ(Value(*stable, "/RuleName"), SJ("標準 安定版(020728)"));
    EXPECT_EQ(Value(*stable, "/BetaEnable"), "false");
    CRuleTree* beta = table.Lookup(SJ("標準 ベータ版(040318)"));
    ASSERT_NE(beta, nullptr);
    EXPECT_EQ(Value(*beta, "/RuleName"), SJ("標準 ベータ版(040318)"));
    EXPECT_EQ(Value(*beta, "/BetaEnable"), "true");
    EXPECT_STREQ(StableRuleKey(), SJ("標準 安定版(020728)"));
    EXPECT_STREQ(BetaRuleKey(), SJ("標準 ベータ版(040318)"));

    CRuleTree* harbor = table.Lookup("harbor-beta.sir");
    ASSERT_NE(harbor, nullptr);
    EXPECT_EQ(Value(*harbor, "/RuleName"), SJ("港町ルール ベータ版"));
    EXPECT_EQ(Value(*harbor, "/ItemRules/0/Name"), "Grade");
    ASSERT_NE(table.Lookup("harbor-stable.sir"), nullptr);

    uint32_t count = 0;
    for (auto entry : table) {
        (void)entry;
        ++count;
    }
    EXPECT_EQ(count, 4u);
}

TEST(RuleTable, OnlyFilesEndingInSir)
{
    TempFolder folder;
    folder.Write("b.sir", "RuleName=B\n");
    folder.Write("a.SIR", "RuleName=A\n");
    folder.Write("c.txt", "RuleName=C\n");
    folder.Write("d.sir.bak", "RuleName=D\n");
    fs::create_directories(fs::path(folder.Path()) / "e.sir");

    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, folder.Path().c_str()), 2u);
    ASSERT_NE(table.Lookup("a.SIR"), nullptr);
    ASSERT_NE(table.Lookup("b.sir"), nullptr);
    EXPECT_EQ(Value(*table.Lookup("a.SIR"), "/RuleName"), "A");
    EXPECT_EQ(Value(*table.Lookup("b.sir"), "/RuleName"), "B");
    EXPECT_EQ(table.Lookup("c.txt"), nullptr);
    EXPECT_EQ(table.Lookup("d.sir.bak"), nullptr);
    EXPECT_EQ(table.Lookup("e.sir"), nullptr);
}

TEST(RuleTable, MissingFolderGivesTheBuiltInRulesOnly)
{
    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, "/nonexistent/tavaro/makeitem_rules"), 0u);
    EXPECT_NE(table.Lookup(StableRuleKey()), nullptr);
    EXPECT_NE(table.Lookup(BetaRuleKey()), nullptr);
}

TEST(RuleTable, UnreadableFileLeavesAnEmptyTree)
{
    TempFolder folder;
    fs::create_symlink(fs::path(folder.Path()) / "nowhere", fs::path(folder.Path()) / "broken.sir");
    folder.Write("zero.sir", std::string("RuleName=Z\n\0x=y\n", 16));

    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, folder.Path().c_str()), 2u);
    CRuleTree* broken = table.Lookup("broken.sir");
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(Value(*broken, "/RuleName"), "<missing>");
    EXPECT_EQ(broken->GetRoot()->sections.Lookup("ItemRules"), nullptr);
    CRuleTree* zero = table.Lookup("zero.sir");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(Value(*zero, "/RuleName"), "<missing>");
}

TEST(RuleTable, RefusedLineKeepsWhatWasReadBefore)
{
    OneRule rule("RuleName=X\n[EndSection]\nBetaEnable=true\n");
    CRuleTree* tree = rule.table.Lookup("t.sir");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(Value(*tree, "/RuleName"), "X");
    EXPECT_EQ(Value(*tree, "/BetaEnable"), "<missing>");
}

TEST(RuleTable, ReloadingReplacesTheTreeOfAKey)
{
    TempFolder folder;
    folder.Write("t.sir", "RuleName=Old\nBetaEnable=true\n");
    CRuleTable table;
    LoadRuleTable(table, folder.Path().c_str());
    folder.Write("t.sir", "RuleName=New\n");
    LoadRuleTable(table, folder.Path().c_str());
    EXPECT_EQ(Value(*table.Lookup("t.sir"), "/RuleName"), "New");
    EXPECT_EQ(Value(*table.Lookup("t.sir"), "/BetaEnable"), "<missing>");
}

TEST(ApplyRule, UnknownKeyFailsWithoutMessage)
{
    CRuleTable table;
    LoadRuleTable(table, kSampleFolder);
    dtest::Document doc;
    CAppliedRule applied;
    applied.ruleKey = "before";
    CStr_base<64> message;
    EXPECT_FALSE(ApplyRule(table, "missing.sir", false, applied, doc, message));
    EXPECT_STREQ(message, "");
    EXPECT_STREQ(applied.ruleKey, "before");
}

TEST(ApplyRule, BuiltInRulesBuildTheKeyLists)
{
    CRuleTable table;
    LoadRuleTable(table, kSampleFolder);
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;

    ASSERT_TRUE(ApplyRule(table, BetaRuleKey(), true, applied, doc, message));
    EXPECT_STREQ(applied.ruleKey, BetaRuleKey());
    EXPECT_STREQ(applied.ruleName, BetaRuleKey());
    EXPECT_TRUE(applied.beta);
    EXPECT_TRUE(doc.IsBeta());
    EXPECT_TRUE(doc.IsIncludeAsElement());
    EXPECT_EQ(Strings(doc.uselistkeys), (Strs{"job", "ung", "argselect", "@@include"}));
    EXPECT_EQ(applied.itemRules.GetCount(), 0u);
    EXPECT_EQ(applied.useRules.GetCount(), 0u);

    ASSERT_TRUE(ApplyRule(table, StableRuleKey(), false, applied, doc, message));
    EXPECT_FALSE(applied.beta);
    EXPECT_FALSE(doc.IsBeta());
    EXPECT_EQ(Strings(doc.itemkeys), (Strs{"no", "type", "code", "name", "info", "price", "cost", "limit", "pop",
                                            "scale", "plus", "funct", "base", "point"}));
    EXPECT_EQ(Strings(doc.uselistkeys), (Strs{"job", "ung"}));
}

TEST(ApplyRule, SampleBetaRule)
{
    CRuleTable table;
    LoadRuleTable(table, kSampleFolder);
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;
    ASSERT_TRUE(ApplyRule(table, "harbor-beta.sir", false, applied, doc, message));
    EXPECT_STREQ(message, "");
    EXPECT_STREQ(applied.ruleKey, "harbor-beta.sir");
    EXPECT_STREQ(applied.ruleName, SJ("港町ルール ベータ版"));
    EXPECT_TRUE(applied.beta);
    EXPECT_TRUE(doc.IsBeta());
    EXPECT_FALSE(doc.IsIncludeAsElement());

    ASSERT_EQ(applied.itemRules.GetCount(), 3u);
    const ItemExParams& grade = applied.itemRules[0];
    EXPECT_STREQ(grade.name, "grade");
    EXPECT_TRUE(grade.IsCheck());
    EXPECT_EQ(grade.type[1], 0u);
    EXPECT_STREQ(grade.separator, "|");
    EXPECT_STREQ(grade.checkInfo[0], SJ("初心者向け"));
    EXPECT_STREQ(grade.checkKey[9], "hidden");
    EXPECT_FALSE(grade.array);
    EXPECT_FALSE(grade.regexSep);
    EXPECT_STREQ(grade.regexOpt, "g");

    const ItemExParams& season = applied.itemRules[1];
    EXPECT_STREQ(season.name, "season");
    EXPECT_EQ(season.type[0], 0x307u);
    EXPECT_EQ(season.type[1], 0x306u);
    EXPECT_EQ(season.type[2], 0u);
    EXPECT_STREQ(season.info[0], SJ("よく売れる季節"));
    ASSERT_NE(season.userList[0], nullptr);
    EXPECT_EQ(season.userList[1], nullptr);
    const CStr_base<64>* spring = season.userList[0]->values.Lookup(SJ("春"));
    ASSERT_NE(spring, nullptr);
    EXPECT_STREQ(*spring, "spring");

    const ItemExParams& maker = applied.itemRules[2];
    EXPECT_EQ(maker.type[0], 0x305u);
    EXPECT_EQ(maker.type[1], 0x304u);
    EXPECT_EQ(maker.type[2], 0x200u);
    EXPECT_TRUE(maker.regexSep);
    EXPECT_STREQ(maker.sepRegexPattern, SJ("%/0w%[,、%]%/0w"));

    ASSERT_EQ(applied.useRules.GetCount(), 3u);
    EXPECT_STREQ(applied.useRules[0].name, "eventneed");
    EXPECT_FALSE(applied.useRules[0].array);
    EXPECT_STREQ(applied.useRules[1].name, "reward");
    EXPECT_TRUE(applied.useRules[1].array);
    ASSERT_NE(applied.useRules[1].userList[2], nullptr);
    EXPECT_STREQ(applied.useRules[2].name, "toolref");

    EXPECT_EQ(Strings(doc.itemextkeys), (Strs{"grade", "season", "maker"}));
    EXPECT_EQ(Strings(doc.usefieldextkeys), (Strs{"eventneed", "toolref"}));
    EXPECT_EQ(Strings(doc.uselistextkeys), (Strs{"reward"}));
    EXPECT_EQ(Strings(doc.usekeys).size(), 18u);
}

TEST(ApplyRule, SampleStableRuleReplacesTheExtensionFields)
{
    CRuleTable table;
    LoadRuleTable(table, kSampleFolder);
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;
    ASSERT_TRUE(ApplyRule(table, "harbor-beta.sir", false, applied, doc, message));
    ASSERT_TRUE(ApplyRule(table, "harbor-stable.sir", true, applied, doc, message));
    EXPECT_FALSE(applied.beta);
    EXPECT_STREQ(applied.ruleName, SJ("港町ルール 安定版"));
    ASSERT_EQ(applied.itemRules.GetCount(), 3u);
    EXPECT_STREQ(applied.itemRules[0].name, "rank");
    // "CHECK" counts only in the first slot; the second slot stays an edit.
    EXPECT_TRUE(applied.itemRules[2].IsCheck());
    EXPECT_EQ(applied.itemRules[2].type[1], 0x200u);
    EXPECT_EQ(Strings(doc.itemextkeys), (Strs{"rank", "material", "shelf"}));
    EXPECT_EQ(Strings(doc.usefieldextkeys), (Strs{"place", "tool"}));
    EXPECT_EQ(Strings(doc.uselistextkeys), (Strs{"bonus"}));
    EXPECT_EQ(Strings(doc.itemkeys).back(), "@@include");
    // Reused records keep nothing of the earlier rule's fields.
    EXPECT_STREQ(applied.itemRules[0].checkKey[0], "");
    EXPECT_EQ(applied.itemRules[0].type[1], 0u);
    EXPECT_FALSE(applied.itemRules[0].regexSep);
}

TEST(ApplyRule, RowsStopAtTheFirstMissingNumberAndSkipEmptyNames)
{
    OneRule rule("RuleName=R\nBetaEnable=TRUE\n"
                 "[ItemRules]\n"
                 "[0]\nName=First\nArray=true\nType1=EDIT\nType2=CHECK\n[EndSection]\n"
                 "[1]\nName=\nType1=EDIT\n[EndSection]\n"
                 "[2]\nType1=EDIT\n[EndSection]\n"
                 "[3]\nName=\x83\x41X\x83Z\nRegexOpt=\nRegexSep=True\nCheckInfo4=c\nCheckKey4=k\n[EndSection]\n"
                 "[5]\nName=Never\n[EndSection]\n"
                 "[EndSection]\n"
                 "[UseRules]\n"
                 "[1]\nName=Missing0\n[EndSection]\n"
                 "[EndSection]\n");
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;
    ASSERT_TRUE(ApplyRule(rule.table, "t.sir", false, applied, doc, message));
    EXPECT_STREQ(applied.ruleName, "R");
    EXPECT_FALSE(applied.beta); // only "true" makes a beta rule
    ASSERT_EQ(applied.itemRules.GetCount(), 2u);
    const ItemExParams& first = applied.itemRules[0];
    EXPECT_STREQ(first.name, "first");
    EXPECT_FALSE(first.array); // item rules hold no lists
    EXPECT_EQ(first.type[0], 0x200u);
    EXPECT_EQ(first.type[1], 0u);
    const ItemExParams& second = applied.itemRules[1];
    // Lower case for ASCII letters only; a double-byte character stays whole.
    EXPECT_STREQ(second.name, "\x83\x41x\x83Z");
    EXPECT_STREQ(second.regexOpt, "");
    EXPECT_FALSE(second.regexSep);
    EXPECT_TRUE(second.IsFlagUsed(4));
    EXPECT_FALSE(second.IsFlagUsed(3));
    EXPECT_EQ(applied.useRules.GetCount(), 0u);
    EXPECT_EQ(Strings(doc.itemextkeys), (Strs{"first", "\x83\x41x\x83Z"}));
}

namespace {

void RaisingReader(const CRuleSection& row, bool useRule, ItemExParams& params)
{
    ReadItemExParams(row, useRule, params);
    if (params.name == "bad")
        throw static_cast<int32_t>(0);
}

} // namespace

TEST(ApplyRule, RaiseWhileReadingARowNamesTheRow)
{
    OneRule rule("[ItemRules]\n[0]\nName=Good\n[EndSection]\n[1]\nName=BAD\n[EndSection]\n[EndSection]\n");
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;
    EXPECT_FALSE(ApplyRule(rule.table, "t.sir", false, applied, doc, message, RaisingReader));
    EXPECT_STREQ(message, SJ("ルールファイルの解析中にエラーが発生しました。\n\"BAD\"の解析に失敗しました。"));
}

TEST(ApplyRule, EmptyRuleFileGivesAStableRuleWithoutFields)
{
    OneRule rule("");
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;
    ASSERT_TRUE(ApplyRule(rule.table, "t.sir", false, applied, doc, message));
    EXPECT_STREQ(applied.ruleName, "");
    EXPECT_FALSE(applied.beta);
    EXPECT_EQ(doc.itemkeys.GetCount(), 14u);
}

namespace {

ItemExParams Slots(uint32_t t1, uint32_t t2, uint32_t t3, const char* separator)
{
    ItemExParams params;
    params.type[0] = t1;
    params.type[1] = t2;
    params.type[2] = t3;
    params.separator = separator;
    params.regexOpt = "g";
    return params;
}

Strs SplitSlots(const ItemExParams& params, const char* text)
{
    CStr_base<64> slots[kItemExSlotCount];
    SplitItemExSlots(params, text, slots);
    return {slots[0].GetBuffer(), slots[1].GetBuffer(), slots[2].GetBuffer()};
}

std::string Join(const ItemExParams& params, const char* a, const char* b, const char* c)
{
    CStr_base<64> slots[kItemExSlotCount] = {a, b, c};
    CStr_base<64> text;
    JoinItemExSlots(params, slots, text);
    return text.GetBuffer();
}

Strs Pieces(const ItemExParams& params, const char* text)
{
    CStrArray_base<64> pieces;
    SplitItemExText(params, text, pieces);
    return Strings(pieces);
}

} // namespace

TEST(ItemExText, LiteralSeparator)
{
    const ItemExParams params = Slots(0x200, 0x200, 0x200, "::");
    EXPECT_EQ(Pieces(params, "a::b::c::d"), (Strs{"a", "b", "c", "d"}));
    EXPECT_EQ(Pieces(params, "a"), (Strs{"a", "", ""}));
    EXPECT_EQ(Pieces(params, ""), (Strs{"", "", ""}));
    EXPECT_EQ(SplitSlots(params, "a::b::c::d"), (Strs{"a", "b", "c"}));
    EXPECT_EQ(Pieces(params, "a:::b"), (Strs{"a", ":b", ""}));
}

TEST(ItemExText, SeparatorNeverSplitsADoubleByteCharacter)
{
    // The second byte of this character is "|".
    const ItemExParams params = Slots(0x200, 0x200, 0, "|");
    EXPECT_EQ(Pieces(params, "\x83\x7c|b"), (Strs{"\x83\x7c", "b", ""}));
}

TEST(ItemExText, EmptySeparatorGivesTheWholeText)
{
    const ItemExParams params = Slots(0x200, 0x200, 0, "");
    EXPECT_EQ(Pieces(params, "a,b"), (Strs{"a,b", "", ""}));
    EXPECT_EQ(Join(params, "a", "b", "x"), "ab");
}

TEST(ItemExText, UnusedSlotsTakeNoPiece)
{
    const ItemExParams params = Slots(0x200, 0, 0x307, ":");
    EXPECT_EQ(SplitSlots(params, "a:b:c"), (Strs{"a", "", "b"}));
    EXPECT_EQ(Join(params, "a", "ignored", "b"), "a:b");
}

TEST(ItemExText, JoiningEmptyValuesGivesTheEmptyText)
{
    const ItemExParams params = Slots(0x200, 0x200, 0x200, ":");
    EXPECT_EQ(Join(params, "", "", ""), "");
    EXPECT_EQ(Join(params, "", "x", ""), ":x:");
    EXPECT_EQ(Join(params, "a", "b", "c"), "a:b:c");
    EXPECT_EQ(Join(Slots(0, 0, 0, ":"), "a", "b", "c"), "");
}

TEST(ItemExText, PatternSeparatorSplitsAndTheLiteralOneJoins)
{
    dtest::Document doc; // registers the editor's user matcher
    ItemExParams params = Slots(0x305, 0x304, 0x200, ",");
    params.regexSep = true;
    params.sepRegexPattern = SJ("%/0w%[,、%]%/0w");
    EXPECT_EQ(Pieces(params, SJ("smith , 鉄、 note")), (Strs{"smith", SJ("鉄"), "note"}));
    EXPECT_EQ(Pieces(params, "one"), (Strs{"one", "", ""}));
    const Strs slots = SplitSlots(params, SJ("a、b,c,d"));
    EXPECT_EQ(slots, (Strs{"a", "b", "c"}));
    EXPECT_EQ(Join(params, slots[0].c_str(), slots[1].c_str(), slots[2].c_str()), "a,b,c");
}

TEST(ItemExText, PatternWithoutGFindsOneSeparator)
{
    ItemExParams params = Slots(0x200, 0x200, 0x200, ",");
    params.regexSep = true;
    params.sepRegexPattern = ";";
    params.regexOpt = "";
    EXPECT_EQ(Pieces(params, "a;b;c"), (Strs{"a", "b;c", ""}));
    params.regexOpt = "g";
    EXPECT_EQ(Pieces(params, "a;b;c"), (Strs{"a", "b", "c"}));
}

TEST(ItemExFlags, SplitAndJoin)
{
    ItemExParams params = Slots(0x100, 0, 0, "|");
    params.checkInfo[0] = "zero";
    params.checkKey[0] = "z";
    params.checkInfo[2] = "two";
    params.checkKey[2] = "t";
    params.checkKey[3] = "nocaption"; // not used: no caption
    params.checkInfo[4] = "nokey";    // not used: no key

    bool checked[kItemExFlagCount];
    SplitItemExFlags(params, "t|bogus|nocaption|z", checked);
    EXPECT_TRUE(checked[0]);
    EXPECT_FALSE(checked[1]);
    EXPECT_TRUE(checked[2]);
    EXPECT_FALSE(checked[3]);
    EXPECT_FALSE(checked[4]);

    CStr_base<64> text;
    JoinItemExFlags(params, checked, text);
    EXPECT_STREQ(text, "z|t"); // flag order; unknown tokens are dropped

    bool none[kItemExFlagCount] = {};
    none[3] = true; // an unused flag is never stored
    JoinItemExFlags(params, none, text);
    EXPECT_STREQ(text, "");

    SplitItemExFlags(params, "", checked);
    for (bool flag : checked)
        EXPECT_FALSE(flag);
}

TEST(ItemExFlags, SampleRule)
{
    CRuleTable table;
    LoadRuleTable(table, kSampleFolder);
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;
    ASSERT_TRUE(ApplyRule(table, "harbor-beta.sir", false, applied, doc, message));
    const ItemExParams& grade = applied.itemRules[0];
    bool checked[kItemExFlagCount];
    SplitItemExFlags(grade, "hidden|gift|novice", checked);
    CStr_base<64> text;
    JoinItemExFlags(grade, checked, text);
    EXPECT_STREQ(text, "novice|gift|hidden");
}

TEST(ItemExChoices, ListsStartWithTheEmptyEntry)
{
    dtest::Document doc({.beta = true});
    doc.Parse(SJ("@@DEFINE\ntype1 weapon\ntype2 food\njob smith 鍛冶屋\njob cook 料理人\n"
                 "@@ITEM\n\tno\t10\n\tcode\tsw\n\tname\tSword\n"
                 "@@ITEM\n\tno\t11\n\tcode\tbr\n\tname\tBread\n"
                 "@@EVENT\n\tcode\tfest\n"));
    ASSERT_EQ(doc.itemdata.GetCount(), 2u);

    CStrArray_base<64> shown, stored;
    ItemExParams params = Slots(0x301, 0x302, 0x303, ",");
    ItemExListChoices(params, 0, doc, shown, stored);
    EXPECT_EQ(Strings(shown), (Strs{"", "Sword", "Bread"}));
    EXPECT_EQ(Strings(stored), (Strs{"", "Sword", "Bread"}));
    ItemExListChoices(params, 1, doc, shown, stored);
    EXPECT_EQ(Strings(shown), (Strs{"", "Sword", "Bread"}));
    EXPECT_EQ(Strings(stored), (Strs{"", "sw", "br"}));
    ItemExListChoices(params, 2, doc, shown, stored);
    EXPECT_EQ(Strings(stored), (Strs{"", "10", "11"}));
    EXPECT_EQ(FindItemExChoice(stored, "11"), 2u);
    EXPECT_EQ(FindItemExChoice(stored, "12"), 0u);
    EXPECT_EQ(FindItemExChoice(stored, ""), 0u);

    params = Slots(0x304, 0x305, 0x306, ",");
    ItemExListChoices(params, 0, doc, shown, stored);
    EXPECT_EQ(Strings(stored), (Strs{"", "weapon", "food"}));
    ItemExListChoices(params, 1, doc, shown, stored);
    EXPECT_EQ(Strings(shown), (Strs{"", SJ("鍛冶屋"), SJ("料理人")}));
    EXPECT_EQ(Strings(stored), (Strs{"", "smith", "cook"}));
    ItemExListChoices(params, 2, doc, shown, stored);
    EXPECT_EQ(Strings(stored), (Strs{"", "fest"}));

    params = Slots(0x200, 0x100, 0, ",");
    ItemExListChoices(params, 0, doc, shown, stored);
    EXPECT_EQ(shown.GetCount(), 0u);
    EXPECT_EQ(stored.GetCount(), 0u);
}

TEST(ItemExChoices, UserListIsSortedByByteValue)
{
    OneRule rule("[ItemRules]\n[0]\nName=u\nType2=LIST_USER\n[UserList2]\nb=2\na=1\nC=3\n\x88\xea=4\n"
                 "[EndSection]\n[EndSection]\n[EndSection]\n");
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;
    ASSERT_TRUE(ApplyRule(rule.table, "t.sir", false, applied, doc, message));
    ASSERT_EQ(applied.itemRules.GetCount(), 1u);
    CStrArray_base<64> shown, stored;
    ItemExListChoices(applied.itemRules[0], 1, doc, shown, stored);
    EXPECT_EQ(Strings(shown), (Strs{"", "C", "a", "b", "\x88\xea"}));
    EXPECT_EQ(Strings(stored), (Strs{"", "3", "1", "2", "4"}));
    // A "LIST_USER" slot without its section offers the empty entry only.
    ItemExParams bare = Slots(0x307, 0, 0, ",");
    ItemExListChoices(bare, 0, doc, shown, stored);
    EXPECT_EQ(Strings(stored), (Strs{""}));
}

TEST(ApplyRule, ParsedElementsCarryTheExtensionFields)
{
    CRuleTable table;
    LoadRuleTable(table, kSampleFolder);
    dtest::Document doc;
    CAppliedRule applied;
    CStr_base<64> message;
    ASSERT_TRUE(ApplyRule(table, "harbor-beta.sir", false, applied, doc, message));
    EXPECT_EQ(doc.Parse("@@ITEM\n\tno\t1\n\tname\tSword\n\tgrade\tnovice|gift\n"
                        "\t@@USE\n\t\tname\tpolish\n\t\treward\tSword,1,always\n\t\treward\tSword,2,rare\n"),
              "");
    ASSERT_EQ(doc.itemdata.GetCount(), 1u);
    const Citemstruct& item = doc.itemdata[0];
    ASSERT_NE(item.GetField("grade"), nullptr);
    EXPECT_STREQ(*item.GetField("grade"), "novice|gift");
    ASSERT_NE(item.GetField("season"), nullptr);
    EXPECT_STREQ(*item.GetField("season"), "");

    ASSERT_EQ(item.uses.GetCount(), 1u);
    const Cusestruct& use = item.uses[0];
    ASSERT_NE(use.GetList("reward"), nullptr);
    EXPECT_EQ(Strings(*use.GetList("reward")), (Strs{"Sword,1,always", "Sword,2,rare"}));
    ASSERT_NE(use.GetField("eventneed"), nullptr);

    bool checked[kItemExFlagCount];
    SplitItemExFlags(applied.itemRules[0], *item.GetField("grade"), checked);
    EXPECT_TRUE(checked[0]);
    EXPECT_TRUE(checked[2]);
    EXPECT_EQ(SplitSlots(applied.useRules[1], use.GetList("reward")->GetAt(1)->GetBuffer()),
              (Strs{"Sword", "2", "rare"}));
}

TEST(RuleTable, EmptyFolderTextGivesTheBuiltInRulesOnly)
{
    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, ""), 0u);
    EXPECT_NE(table.Lookup(StableRuleKey()), nullptr);
}
