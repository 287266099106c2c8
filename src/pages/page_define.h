// The definition page: the one "@@DEFINE" block as plain text, with apply
// and revert. Applying reads the text into the item types and jobs that
// the item page offers.
#pragma once

#include <cstdint>

#include "pages/main_page.h"

class Cpage_define : public CMainPage {
public:
    explicit Cpage_define(CPageContext& context);

    // Nothing to remember: the page shows the one definition.
    void LoadSelection(const CProjectInfo&) override {}
    void StoreSelection(CProjectInfo&) const override {}
    int32_t CurrentElement() const override { return HasWindow() ? 0 : -1; }
    void Reload() override;
    // "適用": an edited text is read and stored; a refusal keeps it shown.
    CApplyResult Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int32_t id, UiEvent event) override;
    bool PreTranslateMessage(const CUiMessage& message) override;

private:
    void ShowDefinition();

    CStr_base<16384> m_shown; // what the edit gave back when the definition was shown
};
