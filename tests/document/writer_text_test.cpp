#include <gtest/gtest.h>

#include "document/writer_text.h"

namespace {

TEST(WriterText, LinesTextDropsOneFinalLineFeedCharacter)
{
    CWriterText out;
    AppendLinesText(out, "a\nb\n");
    EXPECT_EQ(out, "a\r\nb\r\n");
}

TEST(WriterText, LineFeedThatIsTheSecondByteOfACharacterStays)
{
    // "\x83\n" is one character: its line feed is not a line end to drop.
    CWriterText out;
    AppendLinesText(out, "a\x83\n");
    EXPECT_EQ(out, "a\x83\n\r\n");
    // After an even run of lead bytes the final line feed stands alone.
    CWriterText even;
    AppendLinesText(even, "a\x83\x83\n");
    EXPECT_EQ(even, "a\x83\x83\r\n");
}

}  // namespace
