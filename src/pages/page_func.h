// The function page: one of the twelve function blocks, chosen in a combo,
// as plain text, with apply, revert and a direct edit of all twelve.
//
// Leaving a block (choosing another, applying, switching the tab) stores
// the edit into it; a text the user did not edit keeps its bytes.
#pragma once

#include <cstdint>

#include "pages/main_page.h"

class Cpage_func : public CMainPage {
public:
    explicit Cpage_func(CPageContext& context);

    void LoadSelection(const CProjectInfo& info) override { nowfuncID = info.funcId; }
    void StoreSelection(CProjectInfo& info) const override { info.funcId = nowfuncID; }
    int32_t CurrentElement() const override { return HasWindow() ? nowfuncID : -1; }
    void SelectElement(int32_t index) override;
    void Reload() override;

    // The combo's selection changed: stores the shown block, then shows the
    // selected one; a refused store puts the selection back.
    void OnSelChangeCombo1() { SelectBlock(); }
    // "適用": the shown block is stored and shown again.
    CApplyResult Apply() override { return SelectBlock(); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int32_t id, UiEvent event) override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    // The edit is named by the block it shows.
    CStr_base<64> TypedFieldName(int32_t id) const override;

private:
    void OnRevert();
    void OnDirectEdit();
    // The selection's handling (OnSelChangeCombo1): what the store of the
    // block shown before came to; a refusal keeps that block shown.
    CApplyResult SelectBlock();
    // Stores the shown block's text into the document; a refusal, its
    // messages shown, for a text that would not read back.
    CApplyResult SaveShownBlock();
    void ShowBlock(int32_t index);
    int32_t EscapeMode(const char* key) const;

    int32_t nowfuncID = -1;      // the shown block (its keyword's index), -1 for none; outlives the window
    CStr_base<16384> m_shown;    // what the edit gave back when the block was shown
};
