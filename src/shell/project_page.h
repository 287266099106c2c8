// The project page, the sixth tab: the project's counts, its rule and file,
// and the icon folder, which "適用" stores into the project.
#pragma once

#include <cstdint>

#include "pages/main_page.h"

class CProjectPage : public CMainPage {
public:
    enum : int32_t {
        IDD = 134,
        IDC_SUMMARY = 1093,
        IDC_ICON_FOLDER = 1084,
        IDC_REVERT = 1027,  // "元に戻す"
    };

    explicit CProjectPage(CPageContext& context);

    // The page keeps no selection.
    void LoadSelection(const CProjectInfo&) override {}
    void StoreSelection(CProjectInfo&) const override {}
    // Shows the project's information anew (after an undo).
    void Reload() override;
    // Apply: the edit becomes the project's icon folder; refused only for
    // text the file cannot hold.
    CApplyResult Apply() override;

protected:
    bool OnInitDialog() override;

private:
    // Puts the project's icon folder back, without counting it as an edit.
    void OnRevert();
    void OnChangeEdit();
};
