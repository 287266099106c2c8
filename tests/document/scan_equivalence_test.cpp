// The reader's and writer's hand-written scans against the patterns they
// stand for, over the sample files (the reader's fuzz target runs the same
// checks over generated texts).
#include <gtest/gtest.h>

#include "../../fuzz/scan_equivalence.h"
#include "document_test_helpers.h"

namespace {

TEST(ScanEquivalence, TheSampleFilesAreScannedAsThePatternsScanThem)
{
    for (const char* name : {"inc-item-data.cgi", "inc-item-data-ext.cgi"}) {
        const std::string text = dtest::SampleFile(name);
        EXPECT_EQ(scan_equivalence::CheckLines(text), nullptr) << name;
        EXPECT_EQ(scan_equivalence::CheckBlocks(text), nullptr) << name;
        EXPECT_EQ(scan_equivalence::CheckTabsBeforeLineEnds(text), nullptr) << name;
    }
}

}  // namespace
