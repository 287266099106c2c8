// Following an item's new name through the project.
#include <gtest/gtest.h>

#include <string>

#include "../cp932_text.h"
#include "../document/document_test_helpers.h"
#include "document/data_writer.h"
#include "editing/item_rename.h"
#include "foundation/cp932.h"

namespace {


// A script field of an item (one tab in) or of a use entry or event
// parameter level (two tabs in): a "_local_" block of one line.
std::string Script(const std::string& key, const std::string& line, const std::string& indent = "\t")
{
    return indent + key + "\t_local_\n" + indent + "\t" + line + "\n" + indent + "_local_\n";
}

// The script texts refer to the item "剣" in several ways; "剣" is also
// named in use/need/get lines and event parameters.
const std::string kProject =
    "@@ITEM\n\tno\t1\n\tcode\tsword\n\tname\t剣\n" +
    Script("funct", "a(@@ITEMNO  \"剣\");b(@@itemno\"剣\");c(@@ITEMNO\"剣x\");d(@@ITEMNO\"%剣\")") +
    Script("funcs", "@@ITEMNO\"剣\"") + "\t@@USE\n\t\tname\tuse\n" + Script("func", "@@ITEMNO\t\"剣\"", "\t\t") +
    Script("funci", "@@ITEMNO\"剣\"", "\t\t") +
    "\t\t\tuse\t1\t剣\t50%\tmsg\n\t\t\tget\t1\tSword\n\t\t\tneed\t2\t剣\n"
    "@@ITEM\n\tno\t2\n\tcode\tsword\n\tname\tsword\n" + Script("funct", "@@ITEMNO\"sword\"") +
    "@@EVENT\n\tcode\tev\n" + Script("startfunc", "@@ITEMNO\"剣\"") +
    "\t\tparam\t剣\t70\n\t\tparam\t剣x\t70\n\t\tparam\t剣 70 extra\n"
    "@@FUNCITEM\nsub x { @@ITEMNO \"剣\" }\n"
    "@@FUNCBUY\n@@ITEMNO\"剣\"\n";

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Report(const CRenameTracking& tracking)
{
    std::string out;
    for (const CRenameChange& change : tracking.changes)
        out += std::string(change.place.GetBuffer()) + " " + std::to_string(change.count) + "\n";
    return out + "total " + std::to_string(tracking.total);
}

TEST(ItemRename, FollowsTheNameEverywhereInOrder)
{
    dtest::Document document({.beta = true});
    document.Parse(S(kProject));
    const CRenameTracking tracking = TrackItemRename(document, S("剣").c_str(), S("名剣").c_str());
    EXPECT_EQ(Report(tracking), "ITEM[0] funct 2\nITEM[0] funcs 1\nITEM[0] @@USE[0] func 1\nITEM[0] @@USE[0] funci 1\n"
                                "ITEM[0] @@USE[0] ung 2\nEVENT[0] startfunc 1\nEVENT[0] param 2\n"
                                "FUNC[0] @@FUNCITEM 1\nFUNC[11] @@FUNCBUY 1\ntotal 12");
    const Citemstruct& item = *document.itemdata.GetAt(0);
    EXPECT_TRUE(Holds(dtest::Field(item, "funct"),
                      S("a(@@ITEMNO\"名剣\");b(@@ITEMNO\"名剣\");c(@@ITEMNO\"剣x\");d(@@ITEMNO\"%剣\")")));
    EXPECT_EQ(dtest::Look(*item.uses.GetAt(0), "ung[]"), S("use\t1\t名剣\t50%\tmsg|get\t1\tSword\t\t|need\t2\t名剣\t\t|"));
    EXPECT_EQ(dtest::Look(*document.eventdata.GetAt(0), "param[]"), S("名剣\t70|剣x\t70|名剣 70 extra|"));
    EXPECT_EQ(std::string(document.FindFunction("@@FUNCITEM")->text.GetBuffer()), S("sub x { @@ITEMNO\"名剣\" }\n"));
    EXPECT_TRUE(RenameLeftMessage(tracking).IsEmpty());
}

TEST(ItemRename, CountingFindsWhatARenameWouldRewriteAndChangesNothing)
{
    dtest::Document document({.beta = true});
    document.Parse(S(kProject));
    const std::string before = dtest::Text(CMerxWriter(document).WriteDocument());
    EXPECT_EQ(CountItemReferences(document, S("剣").c_str()), 12u);
    EXPECT_EQ(CountItemReferences(document, "sword"), 1u);
    EXPECT_EQ(CountItemReferences(document, S("槍").c_str()), 0u);
    EXPECT_EQ(CountItemReferences(document, ""), 0u);
    EXPECT_EQ(dtest::Text(CMerxWriter(document).WriteDocument()), before);
}

TEST(ItemRename, CasesThatAreNotFollowed)
{
    struct Case {
        const char* what;
        const char* oldName;
        const char* newName;
        bool beta;
        std::string report;
        uint32_t linesLeft, referencesLeft;
    };
    const Case cases[] = {
        // The name is compared byte for byte: "sword" is not "Sword".
        {"letter case", "Sword", "Blade", true, "ITEM[0] @@USE[0] ung 1\ntotal 1", 0, 0},
        {"stable rule", "剣", "名剣", false,
         "ITEM[0] funct 2\nITEM[0] @@USE[0] func 1\nITEM[0] @@USE[0] ung 2\nEVENT[0] startfunc 1\nEVENT[0] param 2\n"
         "FUNC[0] @@FUNCITEM 1\nFUNC[11] @@FUNCBUY 1\ntotal 10",
         0, 0},
        {"empty old name", "", "x", true, "total 0", 0, 0},
        // Every reference would become @@ITEMNO"" and every line lose its item.
        {"empty new name", "剣", "", true, "total 0", 0, 0},
        {"same name", "剣", "剣", true, "total 0", 0, 0},
        {"blank in the new name", "剣", "名 剣", true,
         "ITEM[0] funct 2\nITEM[0] funcs 1\nITEM[0] @@USE[0] func 1\nITEM[0] @@USE[0] funci 1\nEVENT[0] startfunc 1\n"
         "FUNC[0] @@FUNCITEM 1\nFUNC[11] @@FUNCBUY 1\ntotal 8",
         4, 0},
        {"quote in the new name", "剣", "名\"剣", true,
         "ITEM[0] @@USE[0] ung 2\nEVENT[0] param 2\ntotal 4", 0, 8},
    };
    for (const Case& c : cases) {
        dtest::Document document({.beta = c.beta});
        document.Parse(S(kProject));
        const CRenameTracking tracking = TrackItemRename(document, S(c.oldName).c_str(), S(c.newName).c_str());
        EXPECT_EQ(Report(tracking), c.report) << c.what;
        EXPECT_EQ(tracking.linesLeft, c.linesLeft) << c.what;
        EXPECT_EQ(tracking.referencesLeft, c.referencesLeft) << c.what;
        EXPECT_EQ(RenameLeftMessage(tracking).IsEmpty(), c.linesLeft + c.referencesLeft == 0) << c.what;
    }
}

TEST(ItemRename, ReferencesThatNameNoItem)
{
    struct Case {
        const char* what;
        std::string name;    // of the item, which a use line names
        std::string script;  // of the item, left as it is
    };
    const Case cases[] = {
        // A name of digits is an item number in a reference.
        {"digits", "7", "@@ITEMNO\"7\""},
        // "ソ" is 0x83 0x5C and "ァ" 0x83 0x40: an "@" that is a second byte
        // begins no keyword.
        {"a second byte", "a", "\x83" "@@ITEMNO\"a\""},
    };
    for (const Case& c : cases) {
        dtest::Document document;
        document.Parse("@@ITEM\n\tno\t1\n\tname\t" + c.name + "\n" + Script("funct", c.script) +
                       "\t@@USE\n\t\tname\tu\n\t\t\tuse\t1\t" + c.name + "\n");
        EXPECT_EQ(Report(TrackItemRename(document, c.name.c_str(), "b")), "ITEM[0] @@USE[0] ung 1\ntotal 1") << c.what;
        EXPECT_TRUE(Holds(dtest::Field(*document.itemdata.GetAt(0), "funct"), c.script)) << c.what;
    }
}

// Items 剣, 盾, 剣 again, two without a name and one named like a format.
const std::string kNamesake = "@@ITEM\n\tno\t1\n\tname\t剣\n@@ITEM\n\tno\t2\n\tname\t盾\n"
                              "@@ITEM\n\tno\t3\n\tname\t剣\n@@ITEM\n\tno\t4\n\tname\t\n"
                              "@@ITEM\n\tno\t5\n\tname\t\n@@ITEM\n\tno\t6\n\tname\t%s%%\n";

TEST(ItemRename, MergeMessageNamesTheItemsThatHoldEitherName)
{
    struct Case {
        const char* what;
        uint32_t self;
        const char* oldName;
        const char* newName;
        std::string message;
    };
    const std::string tail = "\n名前が混ざらないよう、このアイテム名を使用している項目は追跡せず、"
                             "アイテム名だけを変更します。\nよろしいですか？";
    const Case cases[] = {
        {"neither", 1, "盾", "大盾", ""},
        {"the new name", 1, "盾", "剣",
         "アイテム名が変更されました。\n変更後のアイテム名は次のアイテムでも使用されています。\nITEM[0]：剣\n" + tail},
        {"the old name", 2, "剣", "名剣",
         "アイテム名が変更されました。\n変更前のアイテム名は次のアイテムでも使用されています。\nITEM[0]：剣\n" + tail},
        // Each name's holder is the first item other than the renamed one.
        {"both", 0, "剣", "盾",
         "アイテム名が変更されました。\n変更後のアイテム名は次のアイテムでも使用されています。\nITEM[1]：盾\n"
         "変更前のアイテム名は次のアイテムでも使用されています。\nITEM[2]：剣\n" + tail},
        {"a name like a format", 1, "盾", "%s%%",
         "アイテム名が変更されました。\n変更後のアイテム名は次のアイテムでも使用されています。\nITEM[5]：%s%%\n" + tail},
        {"empty names are never followed", 3, "", "x", ""},
    };
    dtest::Document document;
    document.Parse(S(kNamesake));
    for (const Case& c : cases)
        EXPECT_EQ(Cp932ToUtf8(RenameMergeMessage(document, c.self, S(c.oldName).c_str(), S(c.newName).c_str())
                                  .GetBuffer()),
                  c.message)
            << c.what;
}

} // namespace
