#include "cli/regex_report.h"

#include <gtest/gtest.h>

namespace {

void AddHit(CStrRegexHitList& hits, uint32_t offset, uint32_t length)
{
    CStrRegexHitBufStruct* hit = hits.Add();
    hit->offset = offset;
    hit->length = length;
}

TEST(FormatRegexReport, NoMatch)
{
    CStrRegexHitList hits;
    CStrRegexHistory history;
    EXPECT_EQ(FormatRegexReport(0, hits, history, std::nullopt), "count 0\n");
}

TEST(FormatRegexReport, HitsThenMatchesWithTheirCaptures)
{
    CStrRegexHitList hits;
    AddHit(hits, 0, 18);
    AddHit(hits, 20, 3);
    CStrRegexHistory history;
    CStrRegexMatchStruct* first = history.Add();
    first->Add()->Assign("SaveAutoBackup");
    first->Add()->Assign("O\tN\x80");
    history.Add();
    EXPECT_EQ(FormatRegexReport(2, hits, history, std::nullopt),
              "count 2\n"
              "hit 0 18\n"
              "hit 20 3\n"
              "match 0\n"
              "cap 0 \"SaveAutoBackup\"\n"
              "cap 1 \"O\\tN\\x80\"\n"
              "match 1\n");
}

TEST(FormatRegexReport, ResultComesLast)
{
    CStrRegexHitList hits;
    AddHit(hits, 1, 1);
    CStrRegexHistory history;
    history.Add()->Add()->Assign("\x95\x5C");
    EXPECT_EQ(FormatRegexReport(1, hits, history, std::string_view("a \"b\"")),
              "count 1\nhit 1 1\nmatch 0\ncap 0 \"表\"\nresult \"a \\\"b\\\"\"\n");
    EXPECT_EQ(FormatRegexReport(0, CStrRegexHitList(), CStrRegexHistory(), std::string_view("")),
              "count 0\nresult \"\"\n");
}

}  // namespace
