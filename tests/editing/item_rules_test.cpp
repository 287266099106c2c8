// The item page's rules without a window: fields shown and read back, the
// numbers and names of new items and copies, and where they go.
#include <gtest/gtest.h>

#include <string>

#include "../cp932_text.h"
#include "../document/document_test_helpers.h"
#include "editing/item_fields.h"
#include "editing/item_icon.h"
#include "editing/item_list_edit.h"
#include "editing/item_naming.h"
#include "foundation/cp932.h"

namespace {


const char* kItem = "@@ITEM\n\tno\t7\n\ttype\t1\n\tcode\tsword\n\tname\tsword\n\tlimit\t5/7/9\n\tbase\t5\n"
                    "\tflag\txnosend|nobuyx|notrash\n\tprice\t030\n";

struct Edit {
    const char* what;
    std::function<void(CItemFieldControls&)> edit;
    std::string field;    // the field to look at
    std::string expected; // its text after the read-back (UTF-8)
    std::string errors;   // the error text (UTF-8)
};

TEST(ItemFields, UneditedFieldsKeepTheirBytesAndEditedOnesFollowTheirRules)
{
    const Edit edits[] = {
        {"nothing edited", [](CItemFieldControls&) {}, "limit", "5/7/9", ""},
        {"nothing edited", [](CItemFieldControls&) {}, "base", "5", ""},
        {"nothing edited", [](CItemFieldControls&) {}, "flag", "xnosend|nobuyx|notrash", ""},
        {"nothing edited", [](CItemFieldControls&) {}, "price", "030", ""},
        {"limit both empty", [](CItemFieldControls& c) { c.limitStock.Release(); c.limitMarket.Release(); }, "limit", "10", ""},
        {"limit 5 and empty", [](CItemFieldControls& c) { c.limitMarket.Release(); }, "limit", "5", ""},
        {"limit empty and 7", [](CItemFieldControls& c) { c.limitStock.Release(); }, "limit", "/7", ""},
        {"limit 5 and 8", [](CItemFieldControls& c) { c.limitMarket.Assign("8"); }, "limit", "5/8", ""},
        {"limit 5/ and 7", [](CItemFieldControls& c) { c.limitStock.Assign("5/"); }, "limit", "5//7",
         "[limit]\t/は入力できません\n"},
        {"limit both with slash", [](CItemFieldControls& c) { c.limitStock.Assign("/"); c.limitMarket.Assign("/"); },
         "limit", "///", "[limit]\t/は入力できません\n[limit]\t/は入力できません\n"},
        {"base both empty", [](CItemFieldControls& c) { c.baseCount.Release(); }, "base", "", ""},
        {"base 6 and empty", [](CItemFieldControls& c) { c.baseCount.Assign("6"); }, "base", "6/", ""},
        {"base 5 and 2", [](CItemFieldControls& c) { c.baseHalf.Assign("2"); }, "base", "5/2", ""},
        // A part holding "nosend" checks its box; "nobuy" needs the whole part.
        {"flag box changed", [](CItemFieldControls& c) { c.flags[0] = true; }, "flag", "noshowcase|nosend|notrash", ""},
        {"flag boxes cleared", [](CItemFieldControls& c) { for (bool& f : c.flags) f = false; }, "flag", "", ""},
        {"price typed", [](CItemFieldControls& c) { c.price.Assign("31"); }, "price", "31", ""},
        {"name empty", [](CItemFieldControls& c) { c.name.Release(); }, "name", "", "[name]\tアイテム名を入力してください。\n"},
        {"three empty", [](CItemFieldControls& c) { c.name.Release(); c.no.Release(); c.code.Release(); }, "no", "",
         "[no]\tアイテムIDを入力してください。\n[code]\tアイテムコードを入力してください。\n[name]\tアイテム名を入力してください。\n"},
    };
    for (const Edit& e : edits) {
        dtest::Document document({.beta = true});
        document.Parse(kItem);
        Citemstruct item = *document.itemdata.GetAt(0);
        CItemFieldControls shown;
        ShowItemFields(item, shown);
        CItemFieldControls now = shown;
        e.edit(now);
        CStr_base<1024> errors;
        EXPECT_EQ(ReadBackItemFields(shown, now, item, errors), e.errors.empty()) << e.what;
        EXPECT_EQ(dtest::Field(item, e.field.c_str()), S(e.expected)) << e.what;
        EXPECT_EQ(std::string(errors.GetBuffer()), S(e.errors)) << e.what;
    }
}

// Without a "flag" key the boxes stay as they were.
TEST(ItemFields, WithoutAFlagKeyTheBoxesStay)
{
    dtest::Document stable;
    stable.Parse(kItem);
    ASSERT_EQ(stable.itemdata.GetAt(0)->GetField("flag"), nullptr);
    CItemFieldControls kept;
    kept.flags[5] = true;
    ShowItemFields(*stable.itemdata.GetAt(0), kept);
    EXPECT_TRUE(kept.flags[5]);
}

TEST(ItemNaming, NextFreeNumber)
{
    struct Case {
        std::vector<std::string> numbers;
        uint32_t next;
    };
    const Case cases[] = {
        {{}, 1},
        {{"1", "2", "5"}, 3},
        {{"1", "2", "3"}, 4},
        {{"abc", "0", "1"}, 2},
        {{" 2x", "-1", "99999999999"}, 1},
        {{"2", "1"}, 3},
    };
    for (const Case& c : cases) {
        dtest::Document document;
        std::string text;
        for (const std::string& no : c.numbers)
            text += "@@ITEM\n\tno\t" + no + "\n\tname\tn" + no + "\n";
        document.Parse(text);
        EXPECT_EQ(NextFreeItemNumber(document), c.next) << testing::PrintToString(c.numbers);
    }
}

TEST(ItemNaming, CopyNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"剣", "剣(コピー)"},
        {"剣(コピー)", "剣(コピー^2)"},
        {"剣(コピー^2)", "剣(コピー^3)"},
        {"剣(コピー^9)", "剣(コピー^10)"},
        {"剣(コピー^x)", "剣(コピー^x)(コピー)"},
        {"剣(コピー^)", "剣(コピー^)(コピー)"},
        {"(コピー)", "(コピー)(コピー)"},
        {"剣(コピー^007)", "剣(コピー^8)"},
        {"剣(コピー^99999999999)", "剣(コピー^100000000000)"},
        {"a(コピー^1(コピー)", "a(コピー^1(コピー^2)"},
        {"剣(コピー)x", "剣(コピー)x(コピー)"},
        {"", "(コピー)"},
    };
    for (const auto& [name, copy] : cases)
        EXPECT_EQ(U(CopyItemName(S(name).c_str())), copy) << name;
    EXPECT_EQ(U(CopyItemCode("sword_copy")), "sword_copy_copy");
}

// Items "a" and "b" after a free text; the comment behind "b" is part of it;
// "@@END" and what follows is one text.
// The twelve function blocks, which the file lacks, are put before the end.
const char* kList = "# head\n@@ITEM\n\tno\t1\n\tname\ta\n@@ITEM\n\tno\t2\n\tname\tb\n# middle\n@@END\n# tail\n";

std::string Arrangement(const CMerxDocument& document)
{
    std::string out;
    for (const CMERX_base* element : document.setdata) {
        if (element->GetKind() == CMERX_TYPE_ITEM)
            out += dtest::Field(*static_cast<const Citemstruct*>(element), "name");
        else if (element->GetKind() == CMERX_TYPE_OTHER)
            out += "t";
        else
            continue;
        out += " ";
    }
    return out;
}

std::string Items(const CMerxDocument& document)
{
    std::string out;
    for (const Citemstruct& item : document.itemdata)
        out += dtest::Field(item, "name") + " ";
    return out;
}

TEST(ItemListEdit, NewItemsGoBeforeTheShownItemOrBeforeTheEnd)
{
    struct Case {
        bool insert;
        int32_t shown;
        std::string items, arrangement;
    };
    const Case cases[] = {
        {false, -1, "a b n ", "t a b n t "},
        {false, 1, "a b n ", "t a b n t "},
        {true, -1, "a b n ", "t a b n t "},
        {true, 0, "n a b ", "t n a b t "},
        {true, 1, "a n b ", "t a n b t "},
    };
    for (const Case& c : cases) {
        dtest::Document document;
        document.Parse(kList);
        const uint32_t version = document.GetStructureVersion();
        Citemstruct* item = static_cast<Citemstruct*>(document.FindByIdentity(InsertNewItem(document, FindInsertPlace(document, document.itemdata, c.insert, c.shown), 3)->ElementId()));
        item->SetField("name", "n");
        EXPECT_EQ(Items(document), c.items) << c.insert << c.shown;
        EXPECT_EQ(Arrangement(document), c.arrangement) << c.insert << c.shown;
        EXPECT_NE(document.GetStructureVersion(), version);
    }
}

TEST(ItemListEdit, NewAndCopiedItemFields)
{
    dtest::Document document({.beta = true});
    document.AddItemExtensionKey("color");
    document.Parse(S("@@ITEM\n\tno\t1\n\tcode\tsword\n\tname\t剣\n\tcolor\tred\n\t@@USE\n\t\tname\tswing\n"));
    const Citemstruct* added = static_cast<Citemstruct*>(document.FindByIdentity(InsertNewItem(document, FindInsertPlace(document, document.itemdata, false, -1), 7)->ElementId()));
    EXPECT_EQ(dtest::Field(*added, "no"), "7");
    EXPECT_EQ(dtest::Field(*added, "name"), S("アイテム_7"));
    EXPECT_EQ(dtest::Field(*added, "code"), "item7");
    EXPECT_EQ(dtest::Field(*added, "color"), "");
    EXPECT_EQ(dtest::Field(*added, "flag"), "");
    EXPECT_EQ(added->uses.GetCount(), 0u);

    const Citemstruct* copy =
        static_cast<Citemstruct*>(document.FindByIdentity(InsertItemCopy(document, FindInsertPlace(document, document.itemdata, true, 0), *document.itemdata.GetAt(0), 2)->ElementId()));
    ASSERT_EQ(copy, document.itemdata.GetAt(0));
    EXPECT_EQ(dtest::Field(*copy, "no"), "2");
    EXPECT_EQ(dtest::Field(*copy, "code"), "sword_copy");
    EXPECT_EQ(dtest::Field(*copy, "name"), S("剣(コピー)"));
    EXPECT_EQ(dtest::Field(*copy, "color"), "red");
    ASSERT_EQ(copy->uses.GetCount(), 1u);
    EXPECT_EQ(dtest::Field(*copy->uses.GetAt(0), "name"), "swing");
    EXPECT_EQ(dtest::Field(*document.itemdata.GetAt(1), "name"), S("剣"));
}

} // namespace

namespace {

TEST(ItemIcon, PathsAndProgramArguments)
{
    // Only "/" separates: a "\" is part of a name, and "表" (0x95 0x5C) one
    // character. The default icon folder "..\Image" alone is written the
    // way of the game's tools.
    EXPECT_EQ(U(FolderOfPath(S("/data/表\\x\\inc.cgi").c_str())), "/data");
    EXPECT_EQ(U(FolderOfPath(S("/d/表.cgi").c_str())), "/d");
    EXPECT_EQ(U(FolderOfPath(S("表\\a.cgi").c_str())), "");
    EXPECT_EQ(U(IconFolderPath("/d", "..\\Image")), "/d/../Image");
    EXPECT_EQ(U(IconFolderPath("/d", "..\\Image\\x")), "/d/..\\Image\\x");
    EXPECT_EQ(U(IconFolderPath("/d", "icons")), "/d/icons");
    EXPECT_EQ(U(IconFolderPath("/d", "/Image")), "/Image");
    EXPECT_EQ(U(IconFolderPath("/d", "C:\\Image")), "/d/C:\\Image");
    EXPECT_EQ(U(IconFilePath(S("/i\\表").c_str(), 12)), "/i\\表/item-no-12.png");

    struct Case {
        const char* parameters;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"\"%f\"", {"/i \"q\"/item-no-1.png"}},
        {"-o %f --x", {"-o", "/i \"q\"/item-no-1.png", "--x"}},
        {"\"a b\" \"say \"\"hi\"\"\" %f%f", {"a b", "say \"hi\"", "/i \"q\"/item-no-1.png/i \"q\"/item-no-1.png"}},
        {"  ", {}},
        {"100%", {"100%"}},
    };
    for (const Case& c : cases) {
        CStrArray_base<64> arguments;
        IconProgramArguments(c.parameters, "/i \"q\"/item-no-1.png", arguments);
        std::vector<std::string> got;
        for (const CStr_base<64>& argument : arguments)
            got.emplace_back(argument.GetBuffer());
        EXPECT_EQ(got, c.arguments) << c.parameters;
    }
}

} // namespace
