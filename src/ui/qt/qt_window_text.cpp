// Texts of the controls of a Qt window, and the operations of its edits.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextCursor>

#include "ui/edit_text.h"
#include "ui/qt/qt_font.h"
#include "ui/qt/qt_plain_edit.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_text_limit.h"
#include "ui/qt/qt_window.h"

namespace {

// The default tab stops of an edit, in dialog units.
constexpr int32_t kDefaultTabStops = 32;

void SetLineText(QLineEdit* line, const QString& text)
{
    // A program's text is not held to the limit a person is.
    const QValidator* validator = line->validator();
    if (validator)
        line->setValidator(nullptr);
    line->setText(text);
    line->setCursorPosition(0);
    if (validator)
        line->setValidator(validator);
}

}  // namespace

QString CQtWindow::WidgetText(const CQtControl& control) const
{
    if (control.plain)
        return control.plain->toPlainText();
    if (QLineEdit* line = control.LineEdit())
        return line->text();
    return control.shown;
}

const std::string& CQtWindow::CurrentText(const CQtControl& control) const
{
    if (!control.plain && !control.LineEdit())
        return control.given;
    const QString now = WidgetText(control);
    if (now == control.shown)
        return control.given;
    m_strScratch = QtToCp932(now, control.IsMultiLine()).bytes;
    return m_strScratch;
}

std::u32string CQtWindow::GetRefusedChars(int32_t id) const
{
    const CQtControl& control = Control(id);
    if (!control.plain && !control.LineEdit())
        return {};
    const QString now = WidgetText(control);
    if (now == control.shown)
        return {};
    return QtToCp932(now, control.IsMultiLine()).refused;
}

void CQtWindow::SetEditText(CQtControl& control, const std::string& bytes)
{
    control.given = bytes;
    const QString text = QtFromCp932(bytes, control.IsMultiLine());
    if (control.plain) {
        control.plain->setPlainText(text);
        control.shown = control.plain->toPlainText();
        control.seen = control.shown;
    } else if (QLineEdit* line = control.LineEdit()) {
        SetLineText(line, text);
        control.shown = line->text();
    }
}

void CQtWindow::SetText(int32_t id, const char* text)
{
    CQtControl& control = Control(id);
    const std::string bytes = text ? text : "";
    ++m_nQuiet;
    switch (control.kind) {
    case UiControlKind::kEdit:
    case UiControlKind::kComboEdit:
        SetEditText(control, bytes);
        break;
    default:
        control.given = bytes;
        control.shown = QtFromCp932(bytes);
        if (control.label)
            control.label->setText(QtWithoutMnemonics(control.shown));
        else if (control.button)
            control.button->setText(control.shown);
        else if (control.group)
            control.group->setTitle(control.shown);
        break;
    }
    --m_nQuiet;
    if (control.kind == UiControlKind::kEdit)
        Notify(id, UiEvent::kChanged);
}

const char* CQtWindow::GetText(int32_t id) const { return CurrentText(Control(id)).c_str(); }

void CQtWindow::GetSel(int32_t id, uint32_t& start, uint32_t& end) const
{
    const CQtControl& control = Control(id);
    int from = 0, to = 0;
    if (control.plain) {
        const QTextCursor cursor = control.plain->textCursor();
        from = cursor.selectionStart();
        to = cursor.selectionEnd();
    } else if (QLineEdit* line = control.LineEdit()) {
        if (line->hasSelectedText()) {
            from = line->selectionStart();
            to = line->selectionEnd();
        } else {
            from = to = line->cursorPosition();
        }
    }
    const QString text = WidgetText(control);
    const std::string& bytes = CurrentText(control);
    start = QtOffsetFromPos(text, bytes, static_cast<uint32_t>(from), control.IsMultiLine());
    end = QtOffsetFromPos(text, bytes, static_cast<uint32_t>(to), control.IsMultiLine());
}

void CQtWindow::SetSel(int32_t id, uint32_t start, uint32_t end)
{
    CQtControl& control = Control(id);
    if (start > end)
        std::swap(start, end);
    const QString text = WidgetText(control);
    const std::string& bytes = CurrentText(control);
    const int from = static_cast<int>(QtPosFromOffset(text, bytes, start, control.IsMultiLine()));
    const int to = static_cast<int>(QtPosFromOffset(text, bytes, end, control.IsMultiLine()));
    if (control.plain) {
        QTextCursor cursor = control.plain->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        control.plain->setTextCursor(cursor);
    } else if (QLineEdit* line = control.LineEdit()) {
        if (from == to)
            line->setCursorPosition(from);
        else
            line->setSelection(from, to - from);
    }
}

void CQtWindow::ReplaceSel(int32_t id, const char* text, bool undoable)
{
    CQtControl& control = Control(id);
    QLineEdit* line = control.LineEdit();
    if (!control.plain && !line)
        return;
    const bool multiLine = control.IsMultiLine();
    uint32_t start = 0, end = 0;
    GetSel(id, start, end);
    const std::string before = CurrentText(control);
    std::string insertion = text ? text : "";
    if (control.limit) {
        const uint32_t kept = static_cast<uint32_t>(before.size()) - (end - start);
        const uint32_t room = control.limit > kept ? control.limit - kept : 0;
        insertion.resize(UiFitText(insertion.c_str(), static_cast<uint32_t>(insertion.size()), room));
    }
    const QString shown = QtFromCp932(insertion, multiLine);
    ++m_nQuiet;
    if (control.plain) {
        QTextDocument* document = control.plain->document();
        if (!undoable)
            document->setUndoRedoEnabled(false);
        QTextCursor cursor = control.plain->textCursor();
        cursor.insertText(shown);
        control.plain->setTextCursor(cursor);
        if (!undoable)
            document->setUndoRedoEnabled(true);
    } else {
        const QValidator* validator = line->validator();
        if (validator)
            line->setValidator(nullptr);
        line->insert(shown);
        if (!undoable) {
            const int caret = line->cursorPosition();
            line->setText(line->text());
            line->setCursorPosition(caret);
        }
        if (validator)
            line->setValidator(validator);
    }
    // The bytes around the insertion stay the bytes they were.
    control.given = before.substr(0, start) + insertion + before.substr(end);
    control.shown = WidgetText(control);
    control.seen = control.shown;
    --m_nQuiet;
    Notify(id, UiEvent::kChanged);
}

void CQtWindow::SetLimitText(int32_t id, uint32_t limit)
{
    CQtControl& control = Control(id);
    control.limit = limit;
    if (control.plain) {
        control.plain->SetLimit(limit);
    } else if (QLineEdit* line = control.LineEdit()) {
        const QValidator* old = line->validator();
        line->setValidator(limit ? new CQtByteLimit(limit, line) : nullptr);
        delete old;
    }
}

void CQtWindow::SetTabStops(int32_t id, int32_t dialogUnits)
{
    CQtControl& control = Control(id);
    control.tabStops = dialogUnits;
    if (control.plain) {
        const int units = dialogUnits > 0 ? dialogUnits : kDefaultTabStops;
        control.plain->setTabStopDistance(QtDialogUnitsToPixels(control.plain->font(), units));
    }
}

void CQtWindow::SetMargins(int32_t id, int32_t left, int32_t right)
{
    CQtControl& control = Control(id);
    if (control.plain)
        control.plain->SetMargins(left, right);
    else if (QLineEdit* line = control.LineEdit())
        line->setTextMargins(left, 0, right, 0);
}

void CQtWindow::SetReadOnly(int32_t id, bool readOnly)
{
    CQtControl& control = Control(id);
    if (control.plain)
        control.plain->setReadOnly(readOnly);
    else if (QLineEdit* line = control.LineEdit())
        line->setReadOnly(readOnly);
}

void CQtWindow::ScrollCaret(int32_t id)
{
    CQtControl& control = Control(id);
    if (control.plain)
        control.plain->ensureCursorVisible();
}
