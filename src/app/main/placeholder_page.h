// A page that stands under a tab until the tab's editing page exists: it
// shows its caption, keeps the selections stored in the data file so that
// a save writes them back unchanged, and applies without refusing.
#pragma once

#include <cstdint>

#include "pages/main_page.h"

class CPlaceholderPage : public CMainPage {
public:
    // `tab` is 0 to 4: item, event, function, definition and arrangement.
    CPlaceholderPage(int32_t tab, CPageContext& context);

    void LoadSelection(const CProjectInfo& info) override { m_selection = info; }
    void StoreSelection(CProjectInfo& info) const override;
    // A jump to an element of the tab becomes the selection stored next.
    void SelectElement(int32_t index) override;

protected:
    void OnOK() override {}

private:
    int32_t m_nTab;
    CProjectInfo m_selection;
};
