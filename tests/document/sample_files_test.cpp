// The sample files of the examples folder, opened under the rules they name:
// read without a message, saved back byte for byte, stable from the first
// formatted save on, every element passing the reopen check untouched, the
// section headers standing between the items as other texts, and the
// reader's scans finding what the patterns they stand for find (the
// reader's fuzz target runs the same checks over generated texts).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../fuzz/scan_equivalence.h"
#include "document/kept_writer.h"
#include "document/reopen_check.h"
#include "document_test_helpers.h"

using dtest::Text;
using dtest::ThroughFile;

TEST(SampleFiles, ReadSavedAndReadBackAsTheSameElements)
{
    for (const char* name : {"inc-item-data.cgi", "inc-item-data-ext.cgi"}) {
        SCOPED_TRACE(name);
        dtest::Document doc;
        const std::string text = dtest::SampleUnderItsRule(name, doc);
        EXPECT_EQ(doc.Parse(text), "");
        EXPECT_GT(doc.itemdata.GetCount(), 3u);
        EXPECT_EQ(Text(CKeptWriter(doc).WriteDocument()), text);
        for (CMERX_base* const& element : doc.setdata) {
            CStr_base<1024> reason;
            EXPECT_TRUE(SurvivesReopen(doc, *element, &reason)) << reason.GetBuffer();
        }
        for (const Citemstruct& item : doc.itemdata)
            EXPECT_EQ(std::string(item.GetComment("")).find("===="), std::string::npos) << item.FieldText("name");

        const std::string first = Text(CMerxWriter(doc).WriteDocument());
        EXPECT_EQ(dtest::LinesAmongItems(ThroughFile(first), "# ===="), dtest::LinesAmongItems(text, "# ===="));
        const std::vector<std::string> elements = dtest::ElementTexts(doc);
        EXPECT_EQ(doc.Parse(ThroughFile(first)), "");
        EXPECT_EQ(dtest::ElementTexts(doc), elements);
        EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()), first);

        EXPECT_EQ(scan_equivalence::CheckLines(text), nullptr);
        EXPECT_EQ(scan_equivalence::CheckBlocks(text), nullptr);
        EXPECT_EQ(scan_equivalence::CheckTabsBeforeLineEnds(text), nullptr);
    }
}
