// The texts of internal errors, byte for byte as the user reports them.
#include <gtest/gtest.h>

#include <string>

#include "editing/internal_error.h"
#include "foundation/cp932.h"

namespace {

std::string U(const char* cp932) { return Cp932ToUtf8(cp932); }

const std::string kPreamble =
    "MERX_ERROR\n内部エラーが発生しました。\n以下のメッセージを発生前の操作などと共に作者に報告してください。\n\n";

TEST(InternalError, ReportWithAndWithoutInfo)
{
    struct Case {
        const char* message;
        const char* position;
        const char* info;
        std::string expected;
    };
    const Case cases[] = {
        {"a", "CItemExDlg::OnInitDialog()", nullptr, kPreamble + "Message：a\nPosition：CItemExDlg::OnInitDialog()"},
        {"eventdata_outlength", "Cpage_event::OnSelChangeList1()", "n：3\n      id：7\n",
         kPreamble + "Message：eventdata_outlength\nPosition：Cpage_event::OnSelChangeList1()\nInfo：n：3\n      id：7\n"},
        {"", "", "", kPreamble + "Message：\nPosition：\nInfo："},
    };
    for (const Case& c : cases) {
        const std::string message = Utf8ToCp932(c.message), info = c.info ? Utf8ToCp932(c.info) : "";
        EXPECT_EQ(U(InternalErrorReport(message.c_str(), c.position, c.info ? info.c_str() : nullptr).GetBuffer()),
                  c.expected);
    }
}

TEST(InternalError, ToolNotes)
{
    EXPECT_EQ(U(InternalErrorPositionNote("CItemSortDlg::OnOK()").GetBuffer()),
              "内部エラー：\nPosition：CItemSortDlg::OnOK()");
}

} // namespace
