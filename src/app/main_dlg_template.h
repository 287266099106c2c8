// The main dialog's template: the tab control and the menu bar.
#pragma once

#include "ui/ui_template.h"

const CUiDialogTemplate& MainDlgTemplate();
