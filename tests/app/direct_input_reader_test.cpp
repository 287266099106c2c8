// The direct-input window with the item reader as its validation: the
// reader's numbered lines lead the caret to the line they name.
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "foundation/sjis_literal.h"
#include "pattern/sjis_backslash_matcher.h"
#include "text_window_fixture.h"

namespace {

const bool kMatcherRegistered = (RegisterSjisBackslashMatcher(), true);

// Parses the text as one item; accepts it when the reader reported nothing.
struct ItemCheck {
    CMerxDocument doc;
    Citemstruct item;

    static bool Check(CStr_base<16384>& text, void* context, CStr_base<1024>& errors)
    {
        ItemCheck& check = *static_cast<ItemCheck*>(context);
        check.doc.m_strApplyError.Release();
        CMerxReader reader(check.doc);
        uint32_t line = 0;
        const bool parsed = reader.ParseItem(check.item, text, line);
        errors = check.doc.m_strApplyError;
        return parsed && errors.IsEmpty();
    }
};

using DirectInputWithReader = TextWindowTest;

TEST_F(DirectInputWithReader, ReaderLineLeadsToTheLineToCorrect)
{
    ASSERT_TRUE(kMatcherRegistered);
    ItemCheck check;
    check.doc.RebuildKeyLists(false, false);
    CDirectInputDlg input(settings, marker);
    input.SetCheck(&ItemCheck::Check, &check);
    input.SetText("\r\n@@ITEM\r\n\tno\t1\r\n\tbogus\t2\r\n\tname\tx\r\n");
    const char* const bad = "\tbogus\t2\r\n";
    user.OnModal([&](CDialogBase& d) {
        user.Click(d, kIdOk);
        EXPECT_EQ(ErrorLines(input), std::vector<std::string>{"[3]：@@ITEM：要素名\"bogus\"は定義されていません。"});
        user.DoubleClick(input.ErrInfo(), CErrInfoDlg::IDC_LIST, 0);
        const std::pair<uint32_t, uint32_t> caret = Selection(d, CDirectInputDlg::IDC_TEXT);
        EXPECT_EQ(std::string(user.Look(d, CDirectInputDlg::IDC_TEXT).text).substr(caret.first, 10), bad);
        user.SelectText(d, CDirectInputDlg::IDC_TEXT, caret.first, caret.first + 10);
        user.TypeAtCaret(d, CDirectInputDlg::IDC_TEXT, "");
        user.Click(d, kIdOk);
    });
    EXPECT_EQ(input.DoModal(), kIdOk);
    EXPECT_STREQ(input.GetText(), "@@ITEM\n\tno\t1\n\tname\tx\n");
    EXPECT_STREQ(*check.item.GetField("name"), "x");
    EXPECT_EQ(marker.count, 1);
}

}  // namespace
