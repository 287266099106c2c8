// The find window's work on its worker thread: while it runs, the document
// stays as it is, byte for byte, and none of its operations runs (the
// window thread commits the changes afterwards); the window thread may
// read the document and call the pattern engine meanwhile, and two runs on
// two threads give what each gives alone.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "../document/document_test_helpers.h"
#include "editing_test_helpers.h"
#include "document/data_writer.h"
#include "editing/find_methods.h"
#include "editing/find_replace.h"
#include "foundation/cp932.h"
#include "foundation/owner_thread.h"
#include "pattern/str_regex.h"

namespace {

struct Request {
    int32_t target;
    int32_t field;
    uint32_t mode;
    const char* search;
    const char* replacement;
};

// Replacements over every kind of element: items' fields and whole texts
// (copies read back), function blocks, the definition, other texts (read
// back with their neighbours, some refused).
const Request kReplacements[] = {
    {kFindAll, kFindFullText, kFindContains, "a", "A"},
    {kFindAll, kFindName, kFindContains, "の", "ノ"},
    {kFindAll, kFindScript, kFindPattern | kFindOptionRepeat | kFindOptionIgnoreCase, "%{%/d%}", "%0v0"},
    {kFindOthers, kFindFullText, kFindPattern | kFindOptionRepeat, "%g@@", "  @@"},
    {kFindAll, kFindCode, kFindPattern | kFindOptionRepeat, "%^%{%j%}", "x%0v"},
};

CFindRequest ToRequest(const Request& r)
{
    return etest::FindRequest(r.field, r.mode, r.search, r.replacement);
}

std::string Written(const CMerxDocument& doc) { return dtest::Text(CMerxWriter(doc).WriteDocument()); }

std::atomic<int> g_faults{0};

// Counts the document's operations run on a thread that does not own it
// (checked builds report them; the others have nothing to report).
class FaultCount {
public:
    FaultCount() : m_before(SetOwnerThreadFaultHandler([](const char*) { ++g_faults; })) { g_faults = 0; }
    ~FaultCount() { SetOwnerThreadFaultHandler(m_before); }
    int Faults() const { return g_faults.load(); }

private:
    COwnerThreadFaultHandler m_before;
};

} // namespace

TEST(FindThreads, AReplaceAllOnTheWorkerLeavesTheDocumentAsItIs)
{
    dtest::Document doc({.beta = true});
    doc.Parse(dtest::SampleFile("inc-item-data.cgi"));
    const std::string before = Written(doc);
    const uint32_t version = doc.GetStructureVersion();
    const FaultCount faults;
    for (const Request& r : kReplacements) {
        SCOPED_TRACE(r.search);
        const CFindRequest request = ToRequest(r);
        const std::vector<CFindElement> targets = CollectFindTargets(doc, r.target, {});
        CFindOutcome outcome;
        std::atomic<bool> ended{false};
        std::thread worker([&] {
            outcome = RunFindReplace(doc, targets, request);
            ended = true;
        });
        // The window thread reads the document and uses the engine while
        // the worker runs; every reading sees the document as it was.
        int readings = 0, changed = 0;
        do {
            const std::string now = Written(doc);
            changed += now != before || doc.GetStructureVersion() != version;
            CStrRegexHitList hits;
            StrRegex(now.c_str(), "%g@@%{%/L%}", "gi", nullptr, nullptr, &hits);
            ++readings;
        } while (!ended);
        worker.join();
        EXPECT_EQ(changed, 0) << readings << " readings";
        EXPECT_EQ(Written(doc), before);
        EXPECT_GT(outcome.replacements, 0u);
    }
    EXPECT_EQ(faults.Faults(), 0);
}

TEST(FindThreads, TwoRunsOnTwoThreadsGiveWhatEachGivesAlone)
{
    dtest::Document left({.beta = true}), right;
    left.Parse(dtest::SampleFile("inc-item-data.cgi"));
    right.Parse(dtest::SampleFile("inc-item-data.cgi"));
    // Different options on each side: ignore-case and line starts on the
    // left, exact case from the text's start on the right.
    Request leftRequest{kFindAll, kFindFullText, kFindPattern | kFindOptionRepeat | kFindOptionIgnoreCase,
                        "%g%/wNAME%w", "\tname\t"};
    Request rightRequest{kFindAll, kFindFullText, kFindPattern | kFindOptionRepeat, "%^@@", "@@"};
    const auto run = [](CMerxDocument& doc, const Request& r) {
        const CFindOutcome outcome = RunFindReplace(doc, CollectFindTargets(doc, r.target, {}), ToRequest(r));
        return std::to_string(outcome.replacements) + "/" + std::to_string(outcome.refused) + "\n" +
               outcome.lines.GetBuffer();
    };
    const std::string leftAlone = run(left, leftRequest), rightAlone = run(right, rightRequest);
    ASSERT_NE(leftAlone.substr(0, 2), "0/");
    ASSERT_NE(rightAlone.substr(0, 2), "0/");

    std::string leftTogether, rightTogether;
    std::thread other([&] { rightTogether = run(right, rightRequest); });
    leftTogether = run(left, leftRequest);
    other.join();
    EXPECT_EQ(leftTogether, leftAlone);
    EXPECT_EQ(rightTogether, rightAlone);
}
