#include "ui/qt/qt_plain_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include "ui/qt/qt_text_limit.h"

namespace {

// The selection with LF line ends (Qt hands it out with U+2029).
QString SelectedText(const QTextCursor& cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

}  // namespace

bool CQtPlainEdit::Fits(uint32_t bytes) const
{
    if (!m_nLimit)
        return true;
    // Every character takes at most two bytes, a line end exactly two: far
    // from the limit the text's bytes need not be counted.
    const uint64_t most = 2ull * static_cast<uint64_t>(document()->characterCount());
    return most + bytes <= m_nLimit || bytes <= Room();
}

uint32_t CQtPlainEdit::Room() const
{
    if (!m_nLimit)
        return UINT32_MAX;
    const uint32_t length = QtByteLength(toPlainText(), true);
    const uint32_t selected = QtByteLength(SelectedText(textCursor()), true);
    const uint32_t kept = length - selected;
    return kept < m_nLimit ? m_nLimit - kept : 0;
}

void CQtPlainEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool inserts = !isReadOnly() && !text.isEmpty() &&
                         (text[0].isPrint() || text[0] == u'\r' || text[0] == u'\n' || text[0] == u'\t');
    if (inserts && m_nLimit) {
        const QString typed = text[0] == u'\r' ? QStringLiteral("\n") : text;
        if (!Fits(QtByteLength(typed, true))) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CQtPlainEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty() || Fits(QtByteLength(event->commitString(), true))) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const QString fitted = QtFitText(event->commitString(), Room(), true);
    if (fitted.size() == event->commitString().size()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(fitted, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
    QApplication::beep();
}

void CQtPlainEdit::insertFromMimeData(const QMimeData* source)
{
    if (!m_nLimit || !source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (Fits(QtByteLength(text, true))) {
        insertPlainText(text);
        return;
    }
    const QString fitted = QtFitText(text, Room(), true);
    if (fitted.size() < text.size())
        QApplication::beep();
    insertPlainText(fitted);
}
