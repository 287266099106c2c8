// Text typed into the widgets of the Qt backend that the file cannot hold:
// the window names its characters and the widget keeps it (what is typed
// behind bytes that are no characters is the controls' test).
#include <QComboBox>
#include <QLineEdit>

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

}  // namespace
