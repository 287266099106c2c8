#include "ui/ui_control.h"

#include "ui/edit_text.h"

uint32_t CUiControl::GetLineCount() const { return UiLineCount(m_window.GetText(m_nId)); }

int32_t CUiControl::LineIndex(uint32_t line) const { return UiLineStart(m_window.GetText(m_nId), line); }
