// Qt's own texts in Japanese: the labels and buttons of its file dialogs
// and its standard buttons come from Qt's translation "qtbase_ja" (Debian
// package qt6-translations-l10n).
#pragma once

#include <QString>
#include <memory>

class QTranslator;

// The folder where Qt keeps its translations.
QString QtTranslationsFolder();

// Loads "qtbase_ja.qm" from `folder` and installs it in the running
// application; the translator returned must live as long as it is to be
// used. Null, with nothing changed, when the file is missing or unreadable:
// Qt's texts then stay English.
std::unique_ptr<QTranslator> QtInstallJapaneseTranslation(const QString& folder = QtTranslationsFolder());
