#include "pages/item_ex_dlg_template.h"

#include <cstdint>
#include <vector>

#include "foundation/sjis_literal.h"
#include "pages/item_ex_dlg.h"

namespace {

using D = CItemExDlg;

// The list of field names on the left; the lines of an "Array" field above
// the flags and slots on the right, which share their place, since a field
// shows either flags or slots.
constexpr int32_t kRight = 170;
constexpr int32_t kRightWidth = 280;
constexpr uint32_t kHiddenStop = kUiTabStop | kUiHidden;

std::vector<CUiControlTemplate> ItemExControls()
{
    std::vector<CUiControlTemplate> controls{
        {D::IDC_FIELDS, UiControlKind::kList, "", {10, 10, 150, 276}, kUiTabStop},
        {D::IDC_LINES, UiControlKind::kDropList, "", {kRight, 10, 130, 200}, kHiddenStop},
        {D::IDC_LINE_ADD, UiControlKind::kButton, SJ("追加"), {306, 9, 46, 24}, kHiddenStop},
        {D::IDC_LINE_COPY, UiControlKind::kButton, SJ("複製"), {355, 9, 46, 24}, kHiddenStop},
        {D::IDC_LINE_DELETE, UiControlKind::kButton, SJ("削除"), {404, 9, 46, 24}, kHiddenStop},
    };
    for (uint32_t i = 0; i < kItemExFlagCount; ++i)
        controls.push_back({D::kFlagIds[i], UiControlKind::kCheck, "",
                            {kRight, 44 + 24 * static_cast<int32_t>(i), kRightWidth, 18}, kHiddenStop});
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        const int32_t y = 44 + 64 * static_cast<int32_t>(slot);
        controls.push_back({D::kSlotIds[slot].label, UiControlKind::kStatic, "", {kRight, y, kRightWidth, 16}, kUiHidden});
        controls.push_back({D::kSlotIds[slot].combo, UiControlKind::kDropList, "",
                            {kRight, y + 20, kRightWidth, 200}, kHiddenStop});
        controls.push_back({D::kSlotIds[slot].edit, UiControlKind::kEdit, "", {kRight, y + 20, kRightWidth, 22},
                            kHiddenStop});
    }
    controls.push_back({kIdOk, UiControlKind::kButton, "OK", {260, 296, 90, 24}, kUiTabStop | kUiDefaultButton});
    controls.push_back({kIdCancel, UiControlKind::kButton, SJ("ｷｬﾝｾﾙ"), {360, 296, 90, 24}, kUiTabStop});
    return controls;
}

}  // namespace

const CUiDialogTemplate& ItemExDlgTemplate()
{
    static const CUiDialogTemplate t{D::IDD, SJ("アイテム拡張項目"), {460, 330}, kUiResizable, ItemExControls(), {}};
    return t;
}
