#include "ui/qt/qt_shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <cstring>

#include "foundation/native_path.h"
#include "ui/qt/qt_text.h"
#include "ui/ui_backend.h"

namespace {

enum : int32_t {
    kDone = 42,
    kFileNotFound = kUiShellFileNotFound,
    kNoAssociation = kUiShellNoProgram,
};

QString NativeName(const char* path) { return QFile::decodeName(QByteArray::fromStdString(NativePath(path))); }

}  // namespace

int32_t QtShellOpen(const char* verb, const char* file, const CStrArray_base<64>& arguments, const char* folder)
{
    if (std::strcmp(verb, "open") != 0 && *verb)
        return kNoAssociation;
    const QString name = NativeName(file);
    const QFileInfo info(name);
    if (!info.exists())
        return kFileNotFound;
    const bool program = info.isFile() && info.isExecutable();
    if (!program)  // a document: parameters mean nothing to it
        return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? kDone : kNoAssociation;
    QStringList list;
    for (const CStr_base<64>& argument : arguments)
        list.append(QtFromCp932(argument.GetBuffer()));
    const QString workingFolder = *folder ? NativeName(folder) : QString();
    return QProcess::startDetached(info.absoluteFilePath(), list, workingFolder) ? kDone : kFileNotFound;
}
