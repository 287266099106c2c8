// The questions the Qt backend asks: message boxes and file dialogs. Both
// run in a loop of their own and return the answer to the caller; the
// caller blocks the owner meanwhile.
#pragma once

#include <QString>
#include <QStringList>

#include "foundation/str_base.h"
#include "ui/ui_backend.h"
#include "ui/ui_types.h"

class QWidget;

// A message box over `parent` (null for none) with the buttons `buttons`;
// Enter takes `defaultButton` (kNone or a button not offered: the first).
// Closing the box without a button answers Cancel where there is one, else
// No, else OK.
UiAnswer QtAskMessageBox(QWidget* parent, const char* text, UiButtons buttons, UiAnswer defaultButton);

// Qt's name filters for the layer's filter text "name|pattern|...||":
// "name (patterns)", with ";" between patterns turned into blanks and "*.*"
// into "*" (every name, as on Windows). A name that already ends in its
// patterns in parentheses loses them there, so they are not shown twice.
QStringList QtFileFilters(const char* filter);

// A file dialog; true with the chosen file's native path in `native`.
bool QtAskFileName(QWidget* parent, const CUiFileRequest& request, std::string& native);
