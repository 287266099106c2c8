// The template of the extension-field dialog (CItemExDlg).
#pragma once

#include "ui/ui_template.h"

const CUiDialogTemplate& ItemExDlgTemplate();
