// The text boundary of the Qt backend without widgets: conversion, the
// positions of bytes in widget text, and file-dialog filters.
#include <gtest/gtest.h>

#include "qt_fixture.h"
#include "ui/qt/qt_questions.h"
#include "ui/qt/qt_text.h"

namespace {

struct PositionCase {
    const char* name;
    std::string bytes;
    bool multiLine;
    std::vector<std::pair<uint32_t, uint32_t>> offsetToPos;  // byte offset -> widget position
};

TEST(QtText, ByteOffsetsAndWidgetPositionsCorrespond)
{
    const PositionCase cases[] = {
        {"ascii", "abc", false, {{0, 0}, {2, 2}, {3, 3}, {9, 3}}},
        {"double-byte", S("a日b"), false, {{1, 1}, {2, 1}, {3, 2}, {4, 3}}},
        {"CR LF is one line end", "x\r\ny", true, {{1, 1}, {3, 2}, {4, 3}}},
        {"lone LF kept", "x\ny", true, {{1, 1}, {2, 2}}},
        {"undecodable byte", "a\xFD" "b", false, {{1, 1}, {2, 2}, {3, 3}}},
        {"undefined pair is two escapes", "\x85\x40" "c", false, {{1, 1}, {2, 2}, {3, 3}}},
        {"lead byte before CR LF", "\x81\r\nz", true, {{1, 1}, {3, 2}, {4, 3}}},
    };
    for (const PositionCase& c : cases) {
        const QString text = QtFromCp932(c.bytes, c.multiLine);
        for (const auto& [offset, pos] : c.offsetToPos) {
            EXPECT_EQ(QtPosFromOffset(text, c.bytes, offset, c.multiLine), pos) << c.name << " offset " << offset;
            const uint32_t back = QtOffsetFromPos(text, c.bytes, pos, c.multiLine);
            EXPECT_LE(back, offset) << c.name << " pos " << pos;
            EXPECT_EQ(QtPosFromOffset(text, c.bytes, back, c.multiLine), pos) << c.name << " pos " << pos;
        }
    }
}

TEST(QtText, ConversionKeepsEveryByteAndUsesQtLineEnds)
{
    const std::string bytes = S("表示\r\n") + "\xFD\x85\x40\r\n\x81";
    const QString text = QtFromCp932(bytes, true);
    EXPECT_EQ(text.count(u'\r'), 0);
    EXPECT_EQ(QtToCp932(text, true).bytes, bytes);
    EXPECT_EQ(QtToCp932(QtFromCp932(bytes)).bytes, bytes);
    EXPECT_EQ(QtToCp932(text, true).refused, U"");
    // What CP932 cannot hold stands as "?", a pair counting as one character.
    EXPECT_EQ(QtOffsetFromPos(QString::fromUtf8("\xF0\x9F\x98\x80" "b"), "?b", 2, false), 1u);
    EXPECT_EQ(QtWithoutMnemonics(QStringLiteral("&File && more&")), QStringLiteral("File & more&"));
}

TEST(QtText, FileFiltersBecomeQtNameFilters)
{
    const struct {
        std::string filter;
        QStringList expected;
    } cases[] = {
        {S("inc-item-data.cgi|inc-item-data.cgi|CGI ファイル(*.cgi)|*.cgi|全てのファイル(*.*)|*.*||"),
         {QStringLiteral("inc-item-data.cgi (inc-item-data.cgi)"), QString::fromUtf8("CGI ファイル (*.cgi)"),
          QString::fromUtf8("全てのファイル (*)")}},
        {"Text|*.txt;*.log||", {QStringLiteral("Text (*.txt *.log)")}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QtFileFilters(c.filter.c_str()), c.expected) << c.filter;
}

}  // namespace
