// What the main-window tests share: a program folder in a temporary folder
// (rules, backups, settings), a person, data files, and a run of the main
// dialog driven by the test.
#pragma once

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "app/main_dlg.h"
#include "foundation/cp932.h"
#include "foundation/native_path.h"
#include "foundation/sjis_literal.h"
#include "ui/scripted_user.h"

// A project-information block naming `ruleKey` (UTF-8), CR LF lines.
inline std::string InfoBlock(const std::string& ruleKey, const std::string& projectName)
{
    std::string block = "###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\r\n"
                        "###MERX_PROJECT_INFO_BEGIN\r\n";
    if (!ruleKey.empty())
        block += "###RuleKey=" + ruleKey + "\r\n";
    block += "###ProjectName=" + projectName + "\r\n###MERX_PROJECT_INFO_END\r\n";
    return Utf8ToCp932(block);
}

inline const std::string kBetaRule = "標準 ベータ版(040318)";
inline const std::string kSword = "@@ITEM\r\n\tno\t1\r\n\tname\tsword\r\n";

class MainDlgTest : public ::testing::Test {
protected:
    MainDlgTest()
    {
        mkdir(folder.Path("program").c_str(), 0700);
        mkdir(folder.Path("program/makeitem_rules").c_str(), 0700);
        mkdir(folder.Path("program/backup").c_str(), 0700);
        startup.programFolder = PathTextFromNative(folder.Path("program"));
        startup.settingsPath = PathTextFromNative(folder.Path("program/TavaroItemEditor.ini"));
    }
    void TearDown() override { EXPECT_EQ(user.TakeProblems(), std::vector<std::string>{}); }

    // Writes a data file (CP932 bytes) and returns its path.
    std::string PutFile(const std::string& name, const std::string& bytes)
    {
        folder.Put(name, bytes);
        return folder.Path(name);
    }
    std::string Project(const std::string& name, const std::string& projectName)
    {
        return PutFile(name, InfoBlock(kBetaRule, projectName) + kSword);
    }
    void PutSettings(const std::string& utf8) { folder.Put("program/TavaroItemEditor.ini", Utf8ToCp932(utf8)); }
    // The settings file with LF line ends.
    std::string Settings() const
    {
        std::string text = Cp932ToUtf8(folder.Get("program/TavaroItemEditor.ini"));
        std::erase(text, '\r');
        return text;
    }

    // Runs the main dialog; `act` acts in it and must close it.
    void Run(const std::function<void(CMainDlg&)>& act)
    {
        CMainDlg main(startup);
        user.OnModal([&](CDialogBase& d) { act(static_cast<CMainDlg&>(d)); }, CMainDlg::IDD);
        main.DoModal();
    }
    // Runs it with a page object of the test's behind `tab`.
    void RunWithPage(int32_t tab, std::unique_ptr<CMainPage> (*make)(CMainDlg&),
                     const std::function<void(CMainDlg&)>& act)
    {
        CMainDlg main(startup);
        main.SetPage(tab, make(main));
        user.OnModal([&](CDialogBase& d) { act(static_cast<CMainDlg&>(d)); }, CMainDlg::IDD);
        main.DoModal();
    }

    std::string Title(const CMainDlg& main) { return Cp932ToUtf8(user.LookAt(main).GetCaption()); }
    int32_t SelectedTab(const CMainDlg& main) { return user.Look(main, CMainDlg::IDC_TAB).curSel; }
    // The texts of the history submenu.
    std::vector<std::string> HistoryMenu(CMainDlg& main)
    {
        std::vector<std::string> texts;
        for (const CUiMenuItem& item : main.Menu().items[0].items[7].items)
            texts.push_back(Cp932ToUtf8(item.text.GetBuffer()) + (item.enabled ? "" : " (grayed)"));
        return texts;
    }
    // Types into the project page, which marks the project modified.
    void Modify(CMainDlg& main)
    {
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kProjectTab);
        user.TypeText(*main.CurrentPage(), 1084, "icons");
    }

    TempFolder folder;
    CEditorStartup startup;
    CScriptedUser user;
};
