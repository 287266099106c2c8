#include "app/about_dlg.h"

#include "foundation/sjis_literal.h"

namespace {

const CUiDialogTemplate& AboutTemplate()
{
    static const CUiDialogTemplate t{
        CAboutDlg::IDD,
        SJ("Tavaro Item Editorのバージョン情報"),
        {300, 110},
        0,
        {
            {2001, UiControlKind::kStatic, "Tavaro Item Editor Version 1.0", {60, 15, 230, 16}, 0},
            {2002, UiControlKind::kStatic, SJ("makeitem 用アイテムデータ編集ツール"), {60, 40, 230, 16}, 0},
            {kIdOk, UiControlKind::kButton, "OK", {200, 76, 90, 24}, kUiTabStop | kUiDefaultButton},
        },
        {},
    };
    return t;
}

}  // namespace

CAboutDlg::CAboutDlg() : CDialogBase(AboutTemplate()) {}
