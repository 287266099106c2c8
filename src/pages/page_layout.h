// Builds a page's template control by control: the editing pages place
// their controls row by row, and their captions get numbers of their own.
#pragma once

#include <cstdint>

#include "foundation/sjis_literal.h"
#include "ui/ui_template.h"

// The size of the editing pages, and the height of the boxes that hold an
// element's controls; the page buttons stand below them. The item page,
// whose use entry has two columns of fields with long captions, is wider;
// the main window is drawn for it, and the other pages grow to its width.
inline constexpr CUiSize kPageClient = {620, 560};
inline constexpr CUiSize kItemPageClient = {820, 560};
inline constexpr int32_t kPageBoxHeight = 526;

class CPageLayout {
public:
    explicit CPageLayout(CUiDialogTemplate& t) : m_t(t) {}

    void Add(int32_t id, UiControlKind kind, const char* caption, CUiRect rect, uint32_t style = kUiTabStop)
    {
        m_t.controls.push_back({id, kind, caption, rect, style});
    }
    void Label(const char* caption, CUiRect rect) { Add(m_nLabel++, UiControlKind::kStatic, caption, rect, 0); }
    // A caption on the left and a control of `kind` on the right.
    void Row(int32_t id, UiControlKind kind, const char* caption, int32_t x, int32_t y, int32_t labelWidth,
             int32_t width)
    {
        Label(caption, {x, y + 2, labelWidth, 16});
        Add(id, kind, "", {x + labelWidth, y, width, 19});
    }

    // The filter box over an element list at `x`, `y`, `width` wide: the
    // caption "絞り込み" and the edit beside it.
    void FilterBox(int32_t id, int32_t x, int32_t y, int32_t width)
    {
        constexpr int32_t kCaption = 54;
        Label(SJ("絞り込み"), {x, y + 2, kCaption, 16});
        Add(id, UiControlKind::kEdit, "", {x + kCaption, y, width - kCaption, 19}, kUiTabStop | kUiSearchBox);
    }

private:
    CUiDialogTemplate& m_t;
    int32_t m_nLabel = 3000;
};
