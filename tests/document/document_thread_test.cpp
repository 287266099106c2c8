// The document belongs to the thread that created it: in debug and
// sanitizer builds every operation that changes it checks that it runs
// there. Other builds check nothing, and these tests are skipped.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "document_test_helpers.h"
#include "foundation/owner_thread.h"

namespace {

std::vector<std::string> g_faults;

// Runs `change` on a thread of its own (while this one waits) and returns
// the changes it reported as run on a thread that does not own them.
std::vector<std::string> FaultsOnAnotherThread(const std::function<void()>& change)
{
    g_faults.clear();
    const COwnerThreadFaultHandler before =
        SetOwnerThreadFaultHandler([](const char* what) { g_faults.emplace_back(what); });
    std::thread([&change] { change(); }).join();
    SetOwnerThreadFaultHandler(before);
    return g_faults;
}

struct Operation {
    const char* name;
    std::function<void(CMerxDocument&)> change;
};

} // namespace

TEST(DocumentThread, EveryOperationChecksItsThread)
{
    if (!COwnerThread::kChecked)
        GTEST_SKIP() << "a build without thread checks";
    const Operation operations[] = {
        {"RebuildKeyLists", [](CMerxDocument& d) { d.RebuildKeyLists(true, false); }},
        {"ClearExtensionKeys", [](CMerxDocument& d) { d.ClearExtensionKeys(); }},
        {"AddItemExtensionKey", [](CMerxDocument& d) { d.AddItemExtensionKey("ex"); }},
        {"AddUseExtensionKey", [](CMerxDocument& d) { d.AddUseExtensionKey("ex", true); }},
        {"RaiseStructureVersion", [](CMerxDocument& d) { d.RaiseStructureVersion(); }},
        {"InsertIntoArrangement", [](CMerxDocument& d) { d.InsertIntoArrangement(0, &d.definedata); }},
        {"InsertItem", [](CMerxDocument& d) { d.InsertItem(0, 0); }},
        {"InsertEvent", [](CMerxDocument& d) { d.InsertEvent(0, 0); }},
        {"InsertOther", [](CMerxDocument& d) { d.InsertOther(0); }},
        {"RemoveElement", [](CMerxDocument& d) { d.RemoveElement(d.itemdata.GetAt(0)); }},
        {"ExchangeItems", [](CMerxDocument& d) { d.ExchangeItems(0, 1); }},
        {"ExchangeEvents", [](CMerxDocument& d) { d.ExchangeEvents(0, 0); }},
        {"ExchangeNeighbours", [](CMerxDocument& d) { d.ExchangeNeighbours(0); }},
        {"ReorderItems", [](CMerxDocument& d) { d.ReorderItems({d.itemdata.GetAt(1), d.itemdata.GetAt(0)}); }},
        {"Clear", [](CMerxDocument& d) { d.Clear(); }},
    };
    for (const Operation& operation : operations) {
        dtest::Document doc;
        ASSERT_EQ(doc.Parse("@@ITEM\n\tno\t1\n@@ITEM\n\tno\t2\n@@EVENT\n\tcode\te\n"), "");
        // On the thread that created the document: nothing to report.
        EXPECT_EQ(FaultsOnAnotherThread([] {}), std::vector<std::string>{});
        operation.change(doc);
        EXPECT_TRUE(g_faults.empty()) << operation.name;
        const std::vector<std::string> faults = FaultsOnAnotherThread([&] { operation.change(doc); });
        ASSERT_FALSE(faults.empty()) << operation.name;
        EXPECT_EQ(faults.front(), operation.name);
    }
}

TEST(DocumentThread, ReadingOnAnotherThreadAndADocumentOfItsOwnAreFine)
{
    if (!COwnerThread::kChecked)
        GTEST_SKIP() << "a build without thread checks";
    dtest::Document doc;
    ASSERT_EQ(doc.Parse("@@ITEM\n\tno\t1\n\tname\tx\n"), "");
    std::string written;
    EXPECT_EQ(FaultsOnAnotherThread([&] {
                  written = dtest::Text(CMerxWriter(doc).WriteDocument());
                  dtest::Document own;
                  own.Parse(written);
              }),
              std::vector<std::string>{});
    EXPECT_NE(written.find("name"), std::string::npos);
}

TEST(DocumentThreadDeathTest, AChangeOnAnotherThreadStopsTheProgram)
{
    if (!COwnerThread::kChecked)
        GTEST_SKIP() << "a build without thread checks";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    dtest::Document doc;
    EXPECT_DEATH(std::thread([&doc] { doc.InsertOther(0); }).join(),
                 "InsertOther called on a thread that does not own the object");
}
