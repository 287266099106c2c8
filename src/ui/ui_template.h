// Dialog templates: what a dialog is made of, for any backend to build.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/ui_menu.h"
#include "ui/ui_types.h"

struct CUiControlTemplate {
    int32_t id = 0;
    UiControlKind kind = UiControlKind::kStatic;
    const char* caption = "";  // CP932 bytes
    CUiRect rect;              // in the dialog's client area
    uint32_t style = 0;        // kUiTabStop, kUiMultiLine, ...
};

struct CUiDialogTemplate {
    int32_t resource = 0;      // the template's number
    const char* caption = "";  // CP932 bytes
    CUiSize client;            // size of the client area
    uint32_t style = 0;        // kUiResizable, kUiMaximizeBox, ...
    std::vector<CUiControlTemplate> controls;  // in tab order
    CUiMenu menu;              // the menu bar; no items for none
};
