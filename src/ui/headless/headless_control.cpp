#include "ui/headless/headless_control.h"

#include <cstring>

#include "ui/edit_text.h"

CHeadlessControl::CHeadlessControl(const CUiControlTemplate& control)
    : id(control.id),
      kind(control.kind),
      style(control.style),
      text(control.caption),
      rect(control.rect),
      enabled(!(control.style & kUiDisabled)),
      visible(!(control.style & kUiHidden)),
      readOnly((control.style & kUiReadOnly) != 0)
{
    if (kind == UiControlKind::kDropList || kind == UiControlKind::kList || kind == UiControlKind::kTab)
        text.Truncate(0);
}

bool CHeadlessControl::HasItems() const
{
    return kind == UiControlKind::kList || kind == UiControlKind::kDropList || kind == UiControlKind::kComboEdit ||
           kind == UiControlKind::kTab;
}

void CHeadlessControl::Assign(const char* newText)
{
    text.Assign(newText);
    typed.clear();
    selStart = selEnd = 0;
    canUndo = false;
    undoText.Release();
}

void CHeadlessControl::Select(uint32_t start, uint32_t end)
{
    if (start > end)
        std::swap(start, end);
    selStart = UiCharStart(text, text.GetLength(), start);
    selEnd = UiCharStart(text, text.GetLength(), end);
}

void CHeadlessControl::Replace(const char* insertion, bool undoable, bool limited)
{
    if (!insertion)
        insertion = "";
    Select(selStart, selEnd);
    const uint32_t length = text.GetLength();
    uint32_t count = static_cast<uint32_t>(std::strlen(insertion));
    if (limited && limit) {
        const uint32_t kept = length - (selEnd - selStart);
        count = UiFitText(insertion, count, limit > kept ? limit - kept : 0);
    }
    if (undoable) {
        undoText = text;
        undoStart = selStart;
        undoEnd = selEnd;
        canUndo = true;
    }
    CStr_base<1024> result;
    result.Reserve(length - (selEnd - selStart) + count + 2);
    result.Append(text.GetBuffer(), static_cast<int32_t>(selStart));
    result.Append(insertion, static_cast<int32_t>(count));
    result.Append(text.GetBuffer() + selEnd);
    text.Swap(result);
    typed.clear();
    selStart = selEnd = selStart + count;
}

bool CHeadlessControl::Undo()
{
    if (!canUndo)
        return false;
    text.Swap(undoText);
    typed.clear();
    const uint32_t start = undoStart, end = undoEnd;
    undoStart = selStart;
    undoEnd = selEnd;
    selStart = start;
    selEnd = end;
    return true;
}

void CHeadlessControl::SelectItem(int32_t index)
{
    curSel = index >= 0 && static_cast<uint32_t>(index) < items.size() ? index : -1;
    if (kind == UiControlKind::kDropList || kind == UiControlKind::kComboEdit) {
        text.Assign(curSel >= 0 ? items[curSel].GetBuffer() : "");
        typed.clear();
    }
}
