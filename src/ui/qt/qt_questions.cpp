#include "ui/qt/qt_questions.h"

#include <QDialog>
#include <QGuiApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "foundation/native_path.h"
#include "foundation/str_array.h"
#include "ui/file_filter.h"
#include "ui/qt/qt_text.h"

namespace {

// Shows `dialog` and waits in a loop of its own until it is done.
void RunDialog(QDialog& dialog)
{
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.setWindowModality(Qt::NonModal);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    loop.exec();
}

struct Choice {
    UiAnswer answer;
    QMessageBox::StandardButton button;
    const char* text;  // UTF-8
};

const Choice kChoices[] = {
    {UiAnswer::kOk, QMessageBox::Ok, "OK"},
    {UiAnswer::kCancel, QMessageBox::Cancel, "キャンセル"},
    {UiAnswer::kYes, QMessageBox::Yes, "はい(&Y)"},
    {UiAnswer::kNo, QMessageBox::No, "いいえ(&N)"},
};

std::vector<UiAnswer> Offered(UiButtons buttons)
{
    switch (buttons) {
    case UiButtons::kOk:
        return {UiAnswer::kOk};
    case UiButtons::kOkCancel:
        return {UiAnswer::kOk, UiAnswer::kCancel};
    case UiButtons::kYesNo:
        return {UiAnswer::kYes, UiAnswer::kNo};
    case UiButtons::kYesNoCancel:
        return {UiAnswer::kYes, UiAnswer::kNo, UiAnswer::kCancel};
    }
    return {UiAnswer::kOk};
}

bool Has(const std::vector<UiAnswer>& offered, UiAnswer answer)
{
    return std::find(offered.begin(), offered.end(), answer) != offered.end();
}

}  // namespace

UiAnswer QtAskMessageBox(QWidget* parent, const char* text, UiButtons buttons, UiAnswer defaultButton)
{
    QMessageBox box(parent);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setTextFormat(Qt::PlainText);
    box.setText(QtFromCp932(text ? text : ""));
    const std::vector<UiAnswer> offered = Offered(buttons);
    std::vector<std::pair<QAbstractButton*, UiAnswer>> made;
    for (UiAnswer answer : offered) {
        for (const Choice& choice : kChoices) {
            if (choice.answer != answer)
                continue;
            QPushButton* button = box.addButton(choice.button);
            button->setText(QString::fromUtf8(choice.text));
            made.emplace_back(button, answer);
        }
    }
    const UiAnswer first = offered.front();
    const UiAnswer chosenDefault = Has(offered, defaultButton) ? defaultButton : first;
    const UiAnswer onClose = Has(offered, UiAnswer::kCancel) ? UiAnswer::kCancel
                             : Has(offered, UiAnswer::kNo)   ? UiAnswer::kNo
                                                             : UiAnswer::kOk;
    for (const auto& [button, answer] : made) {
        if (answer == chosenDefault)
            box.setDefaultButton(static_cast<QPushButton*>(button));
        if (answer == onClose)
            box.setEscapeButton(button);
    }
    RunDialog(box);
    for (const auto& [button, answer] : made) {
        if (box.clickedButton() == button)
            return answer;
    }
    return onClose;
}

QStringList QtFileFilters(const char* filter)
{
    CStrArray_base<64> names, patterns;
    UiSplitFileFilter(filter ? filter : "", names, patterns);
    QStringList filters;
    for (uint32_t i = 0; i < names.GetCount(); ++i) {
        QString name = QtFromCp932(std::string_view(names[i].GetBuffer(), names[i].GetLength()));
        const QString given = QtFromCp932(std::string_view(patterns[i].GetBuffer(), patterns[i].GetLength()));
        const QString shownPatterns = QStringLiteral("(") + given + QStringLiteral(")");
        if (name.endsWith(shownPatterns))
            name = name.left(name.size() - shownPatterns.size()).trimmed();
        QStringList list = given.split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : list) {
            pattern = pattern.trimmed();
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << name + QStringLiteral(" (") + list.join(u' ') + QStringLiteral(")");
    }
    return filters;
}

bool QtAskFileName(QWidget* parent, const CUiFileRequest& request, std::string& native)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save || !request.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (request.save && !request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (request.title)
        dialog.setWindowTitle(QtFromCp932(request.title));
    const QStringList filters = QtFileFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (request.initialName && *request.initialName) {
        const QString initial = QFile::decodeName(QByteArray::fromStdString(NativePath(request.initialName)));
        const QFileInfo info(initial);
        if (info.isAbsolute() || initial.contains(u'/'))
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    RunDialog(dialog);
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    native = QFile::encodeName(dialog.selectedFiles().front()).toStdString();
    return true;
}
