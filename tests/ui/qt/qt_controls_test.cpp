// Controls of the Qt backend: texts that cross the widget boundary byte for
// byte, selections in bytes, limits, and which changes notify the dialog.
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QTabBar>
#include <QTest>

#include "probe_dialog.h"
#include "qt_fixture.h"
#include "ui/qt/qt_item_model.h"
#include "ui/qt/qt_plain_edit.h"
#include "ui/qt/qt_text.h"

namespace {

class QtControlsTest : public QtProbeTest {
protected:
    CQtControl& C(int32_t id) { return ControlOf(probe, id); }
    std::vector<std::string> Commands()
    {
        std::vector<std::string> found = Entries(probe.m_ownLog, "probe: cmd ");
        probe.m_ownLog.clear();
        return found;
    }
};

TEST_F(QtControlsTest, TextsCrossTheWidgetsByteForByte)
{
    const std::string texts[] = {
        "",
        "plain",
        S("アイテム名　全角"),
        "\xFD\xFE\xA0",                       // bytes that are no characters
        "\x85\x40" + S("表") + "\x81",       // an undefined pair, a 0x5C second byte, a lone lead byte
        S("一行目\r\n二行目\r\n"),
        "a\nb\rc",                            // line ends the edit would not make
        "\x81\r\nz",                          // a lead byte before CR LF
    };
    for (const std::string& t : texts) {
        for (int32_t id : {kProbeLine, kProbeText, kProbeCombo}) {
            probe.Control(id).SetText(t.c_str());
            EXPECT_EQ(Text(id), t) << "control " << id << ": " << Cp932ToUtf8(t);
        }
        for (int32_t id : {kProbeDrop, kProbeCombo, kProbeList, kProbeTabs}) {
            CUiControl control = probe.Control(id);
            control.ResetContent();
            control.AddString("first");
            const int32_t at = control.InsertString(0, t.c_str());
            CStr_base<64> item;
            EXPECT_TRUE(control.GetItemText(at, item));
            EXPECT_EQ(std::string(item.GetBuffer()), t) << "items of " << id << ": " << Cp932ToUtf8(t);
        }
        for (int32_t id : {kProbeDrop, kProbeCombo}) {
            probe.Control(id).SetCurSel(0);
            EXPECT_EQ(Text(id), t) << "selected item of " << id;
        }
    }
    // Items set at once (the pages' long lists, the item names of the use
    // box and the event page) are the items given, with nothing selected.
    for (int32_t id : {kProbeList, kProbeDrop, kProbeCombo}) {
        CUiControl control = probe.Control(id);
        control.SetCurSel(0);
        control.SetStrings(static_cast<uint32_t>(std::size(texts)), [&](uint32_t i) { return texts[i].c_str(); });
        ASSERT_EQ(control.GetCount(), std::size(texts)) << id;
        for (uint32_t i = 0; i < std::size(texts); ++i) {
            CStr_base<64> item;
            EXPECT_TRUE(control.GetItemText(static_cast<int32_t>(i), item));
            EXPECT_EQ(std::string(item.GetBuffer()), texts[i]) << id << " " << i;
        }
        EXPECT_EQ(control.GetCurSel(), -1) << id;
        if (id != kProbeList)
            EXPECT_EQ(Text(id), "") << "nothing selected, nothing shown: " << id;
    }
    // The widgets show the characters, not the bytes.
    const QAbstractItemModel* model = qobject_cast<QListView*>(C(kProbeList).widget)->model();
    EXPECT_EQ(model->data(model->index(2, 0)).toString(), QString::fromUtf8("アイテム名　全角"));
    for (int32_t id : {kProbeDrop, kProbeCombo}) {
        EXPECT_EQ(qobject_cast<QComboBox*>(C(id).widget)->itemText(2), QString::fromUtf8("アイテム名　全角")) << id;
        probe.Control(id).SetCurSel(2);
        EXPECT_EQ(qobject_cast<QComboBox*>(C(id).widget)->currentIndex(), 2) << "the item the program chose, shown by " << id;
    }
    probe.Control(kProbeLine).SetText(S("日本語").c_str());
    EXPECT_EQ(qobject_cast<QLineEdit*>(C(kProbeLine).widget)->text(), QString::fromUtf8("日本語"));
    probe.Control(kProbeText).SetText("a\r\nb");
    EXPECT_EQ(C(kProbeText).plain->toPlainText(), QStringLiteral("a\nb"));
}

TEST_F(QtControlsTest, TypedAndComposedTextArrivesAsCp932)
{
    ShowActive(probe);
    auto* line = qobject_cast<QLineEdit*>(C(kProbeLine).widget);
    // Typed behind a byte that is no character, which keeps its escape and
    // is no refused character; the variants of JIS text are CP932's.
    probe.Control(kProbeLine).SetText("\xFD");
    probe.Control(kProbeLine).SetSel(kUiTextEnd, kUiTextEnd);
    line->setFocus();
    Commands();
    Type(line, QString::fromUtf8("日本〜−"));
    EXPECT_EQ(Text(kProbeLine), "\xFD" + S("日本") + "\x81\x60\x81\x7C");
    EXPECT_EQ(Commands(), (std::vector<std::string>{"11 changed", "11 changed", "11 changed", "11 changed"}));
    EXPECT_EQ(WindowOf(probe).GetRefusedChars(kProbeLine), U"");

    // An input method: the text being composed is no text of the edit yet;
    // the committed text is.
    CQtPlainEdit* edit = C(kProbeText).plain;
    probe.Control(kProbeText).SetText(S("前\r\n").c_str());
    probe.Control(kProbeText).SetSel(kUiTextEnd, kUiTextEnd);
    edit->setFocus();
    Commands();
    QInputMethodEvent composing(QString::fromUtf8("かんじ"), {});
    QApplication::sendEvent(edit, &composing);
    EXPECT_EQ(Text(kProbeText), S("前\r\n"));
    EXPECT_EQ(Commands(), std::vector<std::string>{});
    QInputMethodEvent committed;
    committed.setCommitString(QString::fromUtf8("漢字"));
    QApplication::sendEvent(edit, &committed);
    EXPECT_EQ(Text(kProbeText), S("前\r\n漢字"));
    EXPECT_EQ(Commands(), std::vector<std::string>{"12 changed"});
    CStr_base<1024> errors;
    EXPECT_TRUE(probe.CheckTypedText(errors));
    EXPECT_TRUE(errors.IsEmpty());
}

TEST_F(QtControlsTest, SelectionsAreByteOffsets)
{
    const struct {
        int32_t id;
        std::string text;
        uint32_t start, end;          // asked
        uint32_t gotStart, gotEnd;    // given back
        QString selected;
    } cases[] = {
        {kProbeLine, S("日本語abc"), 2, 6, 2, 6, QString::fromUtf8("本語")},
        {kProbeLine, S("日本語abc"), 3, 3, 2, 2, QString()},
        {kProbeLine, S("日本語abc"), 7, 2, 2, 7, QString::fromUtf8("本語a")},
        {kProbeLine, "\x85\x40xy", 1, 3, 1, 3, QString::fromUtf16(u"\xDC40x")},
        {kProbeText, S("あ\r\nい\r\nう"), 4, 6, 4, 6, QString::fromUtf8("い")},
        {kProbeText, "a\r\nb", 0, kUiTextEnd, 0, 4, QString::fromUtf8("a\u2029b")},
        {kProbeCombo, S("選択"), 2, kUiTextEnd, 2, 4, QString::fromUtf8("択")},
    };
    for (const auto& c : cases) {
        CUiControl control = probe.Control(c.id);
        control.SetText(c.text.c_str());
        control.SetSel(c.start, c.end);
        uint32_t start = 0, end = 0;
        control.GetSel(start, end);
        EXPECT_EQ(start, c.gotStart) << Cp932ToUtf8(c.text);
        EXPECT_EQ(end, c.gotEnd) << Cp932ToUtf8(c.text);
        const CQtControl& qt = C(c.id);
        const QString selected = qt.plain ? qt.plain->textCursor().selectedText() : qt.LineEdit()->selectedText();
        EXPECT_EQ(selected, c.selected) << Cp932ToUtf8(c.text);
    }
}

TEST_F(QtControlsTest, ReplacingTheSelectionKeepsTheBytesAround)
{
    CUiControl text = probe.Control(kProbeText);
    text.SetText("\x81\r\n" "x\x85\x40");
    text.SetSel(3, 4);
    text.ReplaceSel(S("語\r\n").c_str(), true);
    EXPECT_EQ(Text(kProbeText), "\x81\r\n" + S("語\r\n") + "\x85\x40");
    uint32_t start = 0, end = 0;
    text.GetSel(start, end);
    EXPECT_EQ(start, 7u);
    EXPECT_EQ(end, 7u);
    C(kProbeText).plain->undo();
    EXPECT_EQ(C(kProbeText).plain->toPlainText(), QtFromCp932("\x81\r\nx\x85\x40", true));

    // The limit holds for the program's insertions, cut at a character start.
    CUiControl line = probe.Control(kProbeLine);
    line.SetLimitText(5);
    line.SetText("ab");
    line.SetSel(kUiTextEnd, kUiTextEnd);
    line.ReplaceSel(S("日本").c_str(), false);
    EXPECT_EQ(Text(kProbeLine), "ab" + S("日"));
}

TEST_F(QtControlsTest, ThePersonIsHeldToTheLimitInBytes)
{
    ShowActive(probe);
    CUiControl line = probe.Control(kProbeLine);
    line.SetLimitText(5);
    line.SetText("");
    C(kProbeLine).widget->setFocus();
    Type(C(kProbeLine).widget, QString::fromUtf8("日本語"));
    EXPECT_EQ(Text(kProbeLine), S("日本"));
    // A text of the program is not held to it.
    line.SetText("abcdefgh");
    EXPECT_EQ(Text(kProbeLine), "abcdefgh");

    CUiControl text = probe.Control(kProbeText);
    text.SetLimitText(6);
    text.SetText("");
    C(kProbeText).widget->setFocus();
    QTest::keyClicks(C(kProbeText).widget, QStringLiteral("ab"));
    QTest::keyClick(C(kProbeText).widget, Qt::Key_Return);
    QTest::keyClicks(C(kProbeText).widget, QStringLiteral("cdef"));
    EXPECT_EQ(Text(kProbeText), "ab\r\ncd");
}

TEST_F(QtControlsTest, ChangesOfTheProgramNotifyOnlyForEditTexts)
{
    probe.Control(kProbeDrop).AddString("x");
    probe.Control(kProbeList).AddString("x");
    probe.Control(kProbeTabs).AddString("x");
    Commands();
    const struct {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> expected;
    } cases[] = {
        {"edit text", [&] { probe.Control(kProbeLine).SetText("a"); }, {"11 changed"}},
        {"multi-line text", [&] { probe.Control(kProbeText).SetText("a\r\nb"); }, {"12 changed"}},
        {"replace", [&] { probe.Control(kProbeText).ReplaceSel("c", false); }, {"12 changed"}},
        {"combo text", [&] { probe.Control(kProbeCombo).SetText("a"); }, {}},
        {"check", [&] { probe.Control(kProbeCheck).SetCheck(true); }, {}},
        {"drop-down selection", [&] { probe.Control(kProbeDrop).SetCurSel(0); }, {}},
        {"list selection", [&] { probe.Control(kProbeList).SetCurSel(0); }, {}},
        {"tab selection", [&] { probe.Control(kProbeTabs).SetCurSel(0); }, {}},
        {"items", [&] { probe.Control(kProbeList).InsertString(0, "y"); probe.Control(kProbeList).DeleteString(1); }, {}},
    };
    for (const auto& c : cases) {
        c.act();
        EXPECT_EQ(Commands(), c.expected) << c.what;
    }
    EXPECT_TRUE(probe.Control(kProbeCheck).GetCheck());
    EXPECT_EQ(probe.Control(kProbeList).GetCurSel(), -1);  // the selected item was deleted
    EXPECT_FALSE(probe.Control(kProbeHidden).IsVisible());
}

TEST_F(QtControlsTest, ThePersonsActionsNotify)
{
    for (const char* item : {"zero", "one", "two"}) {
        probe.Control(kProbeDrop).AddString(item);
        probe.Control(kProbeList).AddString(item);
        probe.Control(kProbeTabs).AddString(item);
    }
    ShowActive(probe);
    Commands();

    QTest::mouseClick(C(kProbeCheck).widget, Qt::LeftButton, {}, QPoint(6, C(kProbeCheck).widget->height() / 2));
    EXPECT_TRUE(probe.Control(kProbeCheck).GetCheck());
    QTest::mouseClick(C(kProbeApply).widget, Qt::LeftButton);
    EXPECT_EQ(Commands(), (std::vector<std::string>{"13 clicked", "19 clicked"}));

    C(kProbeDrop).widget->setFocus();
    QTest::keyClick(C(kProbeDrop).widget, Qt::Key_Down);
    EXPECT_EQ(probe.Control(kProbeDrop).GetCurSel(), 0);
    EXPECT_EQ(Text(kProbeDrop), "zero");

    QListView* list = C(kProbeList).list;
    const QRect second = list->visualRect(C(kProbeList).items->index(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(probe.Control(kProbeList).GetCurSel(), 1);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());

    QTabBar* tabs = C(kProbeTabs).tabs;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_EQ(probe.Control(kProbeTabs).GetCurSel(), 2);

    const std::vector<std::string> seen = Commands();
    const std::vector<std::string> expected = {"14 selchanged", "16 selchanged", "16 dblclicked", "17 selchanged"};
    EXPECT_EQ(seen, expected);
}

}  // namespace
