// Text typed into the widgets of the Qt backend that the file cannot hold:
// the window names its characters, the widget keeps it, and a control the
// user left alone still gives back the bytes it was given.
#include <QComboBox>
#include <QLineEdit>

#include "foundation/sjis_literal.h"
#include "probe_dialog.h"
#include "qt_fixture.h"
#include "ui/qt/qt_plain_edit.h"

namespace {

class QtTypedTextTest : public QtProbeTest {
protected:
    void SetUp() override
    {
        QtProbeTest::SetUp();
        ShowActive(probe);
    }
    std::u32string Refused(int32_t id) { return WindowOf(probe).GetRefusedChars(id); }
};

TEST_F(QtTypedTextTest, ALineEditHoldingWhatTheFileCannotHoldIsReported)
{
    auto* line = qobject_cast<QLineEdit*>(ControlOf(probe, kProbeLine).widget);
    line->setFocus();
    Type(line, QString::fromUtf8("a한é한"));
    EXPECT_EQ(Refused(kProbeLine), U"\uD55C\u00E9");
    EXPECT_EQ(Text(kProbeLine), "a???");
    CStr_base<1024> errors;
    EXPECT_FALSE(probe.CheckTypedText(errors));
    EXPECT_EQ(Cp932ToUtf8(errors.GetBuffer()), "[group::label]\tShift-JISで保存できない文字が含まれています：U+D55C U+00E9\n");
    EXPECT_EQ(line->text(), QString::fromUtf8("a한é한"));  // the widget keeps what was typed

    // An editable combo: the yen sign would be a backslash.
    auto* combo = qobject_cast<QComboBox*>(ControlOf(probe, kProbeCombo).widget);
    combo->lineEdit()->setFocus();
    Type(combo->lineEdit(), QString::fromUtf8("¥1"));
    EXPECT_EQ(Refused(kProbeCombo), U"\u00A5");

    // Pasted into a multi-line edit: a character beyond the BMP is one
    // character refused.
    CQtPlainEdit* plain = ControlOf(probe, kProbeText).plain;
    plain->setFocus();
    plain->insertPlainText(QString::fromUtf8("x\n😀"));
    EXPECT_EQ(Refused(kProbeText), U"\U0001F600");
    EXPECT_EQ(Text(kProbeText), "x\r\n?");
}

TEST_F(QtTypedTextTest, UntouchedBytesAndVariantsAreAccepted)
{
    // Bytes that are no characters, set by the program and left alone.
    const std::string bytes = "\x80\xFD\x85\x40\x81";
    probe.Control(kProbeLine).SetText(bytes.c_str());
    probe.Control(kProbeText).SetText(("\xFD\r\n" + S("表")).c_str());
    EXPECT_EQ(Refused(kProbeLine), U"");
    EXPECT_EQ(Text(kProbeLine), bytes);
    // Typed behind such bytes, which keep their escapes.
    CQtPlainEdit* plain = ControlOf(probe, kProbeText).plain;
    plain->setFocus();
    probe.Control(kProbeText).SetSel(kUiTextEnd, kUiTextEnd);
    Type(plain, QString::fromUtf8("〜−"));
    EXPECT_EQ(Refused(kProbeText), U"");
    EXPECT_EQ(Text(kProbeText), "\xFD\r\n" + S("表") + "\x81\x60\x81\x7C");
    CStr_base<1024> errors;
    EXPECT_TRUE(probe.CheckTypedText(errors));
    EXPECT_TRUE(errors.IsEmpty());
}

}  // namespace
