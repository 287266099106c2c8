// The filter of the element lists without windows: what a filter text
// matches, and the lines of the filtered list against the element indexes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../cp932_text.h"
#include "document/item_struct.h"
#include "editing/list_filter.h"
#include "foundation/cp932.h"

namespace {


TEST(FilterTextMatchesTest, AsciiLettersWithoutCaseOnCharacterStarts)
{
    struct Case {
        std::string text;
        std::string needle; // as the filter keeps it: ASCII letters in lower case
        bool matches;
    } const cases[] = {
        {"Iron Sword", "sword", true},
        {"IRON", "iron", true},
        {"item12", "m1", true},
        {"abc", "", true},
        {"", "a", false},
        {"ab", "abc", false},
        {S("鉄の剣"), S("の剣"), true},
        {S("鉄の剣"), S("盾"), false},
        // "ア" is 0x83 0x41: its second byte is an "A" that no filter
        // text finds, and "a" in front of it is no "A" either.
        {S("ア"), "a", false},
        {S("xア"), "xa", false},
        // "ソ" is 0x83 0x5C: its second byte is no backslash.
        {S("ソ"), "\\", false},
        {S("ソ\\"), "\\", true},
        // A double-byte character is matched exactly: 0x82 0x60 ("Ａ") is
        // not 0x82 0x81 ("ａ").
        {S("ａ"), S("Ａ"), false},
        {S("全角ＡＢ"), S("ＡＢ"), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterTextMatches(c.text, c.needle), c.matches) << Cp932ToUtf8(c.text) << " / " << c.needle;
}

// Items as the item list filters them: no, code and name.
struct Item {
    std::string no, code, name;
};

class ListFilterTest : public testing::Test {
protected:
    std::vector<Item> items = {
        {"1", "sword", S("鉄の剣")}, {"2", "shield", S("木の盾")}, {"12", "bow", "Long Bow"},
        {"3", "arrow", S("矢")},     {"21", "SWORD2", S("鋼の剣")},
    };
    CListFilter filter;

    void Filter(const std::string& text)
    {
        filter.Refilter(text.c_str(), static_cast<uint32_t>(items.size()), [&](uint32_t i, CListFilter::CTexts& t) {
            t.Add(items[i].no);
            t.Add(items[i].code);
            t.Add(items[i].name);
        });
    }
    std::vector<int32_t> Shown()
    {
        std::vector<int32_t> shown;
        for (int32_t line = 0; filter.IndexOf(line) >= 0 && line < static_cast<int32_t>(items.size()); ++line)
            shown.push_back(filter.IndexOf(line));
        return shown;
    }
};

TEST_F(ListFilterTest, KeepsTheElementsWithATextThatContainsTheFilter)
{
    struct Case {
        std::string text;
        std::vector<int32_t> shown;
    } const cases[] = {
        {"", {0, 1, 2, 3, 4}},   {"SWORD", {0, 4}},       {"Sw", {0, 4}}, {"1", {0, 2, 4}},
        {"bow", {2}},            {S("剣"), {0, 4}},       {S("の"), {0, 1, 4}},
        {"zzz", {}},             {"2", {1, 2, 4}},
    };
    for (const Case& c : cases) {
        Filter(c.text);
        EXPECT_EQ(filter.IsActive(), !c.text.empty()) << c.text;
        EXPECT_EQ(Shown(), c.shown) << Cp932ToUtf8(c.text);
        if (!c.text.empty()) {
            EXPECT_EQ(filter.FilteredCount(), c.shown.size()) << c.text;
        }
    }
}

// A keystroke that keeps the same elements needs no refill of the list.
TEST_F(ListFilterTest, RefilterTellsWhetherTheShownElementsChanged)
{
    struct Step {
        std::string text;
        bool changed;
    } const steps[] = {
        {"s", true},     // sword, shield, SWORD2
        {"sw", true},    // sword, SWORD2
        {"swo", false},  {"swor", false}, {"SWOR", false},
        {"", true},      // every element again
    };
    auto refilter = [&](const std::string& text) {
        return filter.Refilter(text.c_str(), static_cast<uint32_t>(items.size()),
                               [&](uint32_t i, CListFilter::CTexts& t) { t.Add(items[i].code); });
    };
    // (That the same text twice changes nothing, the list filter's fuzz
    // target checks.)
    for (const Step& step : steps)
        EXPECT_EQ(refilter(step.text), step.changed) << step.text;
}

TEST_F(ListFilterTest, LinesAndIndexesMapBothWays)
{
    Filter("sword"); // elements 0 and 4
    struct Case {
        int32_t index, line;
    } const cases[] = {{0, 0}, {1, -1}, {2, -1}, {3, -1}, {4, 1}, {-1, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(filter.LineOf(c.index), c.line) << c.index;
    EXPECT_EQ(filter.IndexOf(-1), -1);  // the others as the lines listed in the first test

    // Without a filter text line and index are one.
    filter.Clear();
    EXPECT_FALSE(filter.IsActive());
    for (int32_t i : {0, 3, 4}) {
        EXPECT_EQ(filter.LineOf(i), i);
        EXPECT_EQ(filter.IndexOf(i), i);
    }
    EXPECT_EQ(filter.LineOf(-1), -1);
    EXPECT_EQ(filter.IndexOf(-1), -1);
}

TEST_F(ListFilterTest, RemovingAnElementMovesTheLaterOnesUp)
{
    struct Case {
        std::string text;
        uint32_t removed;
        int32_t line;                // the line the removed element had
        std::vector<int32_t> shown;  // the indexes shown afterwards
        int32_t selected;            // the line selected afterwards
    } const cases[] = {
        // Element 0 ("sword") goes: "SWORD2", now element 3, is line 0.
        {"sword", 0, 0, {3}, 0},
        // A hidden element goes: the shown ones behind it move up.
        {"sword", 2, -1, {0, 3}, 1},
        // The last shown element goes: the new last line is selected.
        {"sword", 4, 1, {0}, 0},
        {"bow", 2, 0, {}, -1},
        // Without a filter text the line is the index.
        {"", 1, 1, {}, 1},
    };
    for (const Case& c : cases) {
        Filter(c.text);
        EXPECT_EQ(filter.Remove(c.removed), c.line) << c.text << " " << c.removed;
        if (filter.IsActive()) {
            std::vector<int32_t> shown;
            for (int32_t line = 0; line < static_cast<int32_t>(filter.FilteredCount()); ++line)
                shown.push_back(filter.IndexOf(line));
            EXPECT_EQ(shown, c.shown) << c.text << " " << c.removed;
        }
        const uint32_t lines = filter.IsActive() ? filter.FilteredCount() : static_cast<uint32_t>(items.size()) - 1;
        EXPECT_EQ(filter.LineAfterRemoved(c.removed, lines), c.selected) << c.text << " " << c.removed;
    }
}

TEST_F(ListFilterTest, TheTextIsKeptInLowerCaseWithDoubleByteCharactersWhole)
{
    // "ア" (0x83 0x41) keeps its second byte; the letters around it go lower.
    Filter(S("AアB"));
    EXPECT_EQ(std::string(filter.Text().GetBuffer()), S("aアb"));
}

// The fields a filter looks in are those the element has, in the order
// given, with their whole texts.
TEST(FilterFieldsTest, GivesTheTextsOfTheFieldsTheElementHas)
{
    Citemstruct item;
    item.fields.GetOrInsert("no")->Assign("12");
    item.fields.GetOrInsert("name")->Assign(S("鉄の剣").c_str());
    item.fields.GetOrInsert("info")->Assign("not looked in");
    const CFilterFields fields{"no", "code", "name"};
    CListFilter::CTexts texts;
    fields.AddTexts(item, texts);
    ASSERT_EQ(texts.count, 2u);
    EXPECT_EQ(texts.text[0], "12");
    EXPECT_EQ(texts.text[1], S("鉄の剣"));
}

} // namespace
