// What the main-window tests share: a program folder in a temporary folder
// (rules, backups, settings), a person, data files, and a run of the main
// dialog driven by the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "document/data_writer.h"
#include "foundation/cp932.h"
#include "foundation/native_path.h"
#include "shell/main_dlg.h"
#include "ui/headless/scripted_user.h"

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

// A page of the tests: one edit (1084), an apply that does what the test
// says, and a selection of elements as an editing page keeps it.
class TestPage : public CMainPage {
public:
    TestPage(CMainDlg& main, std::function<CApplyResult(CMainDlg&)> apply) : CMainPage(Template(), main), m_main(main), m_apply(std::move(apply)) {}
    void LoadSelection(const CProjectInfo&) override {}
    void StoreSelection(CProjectInfo&) const override {}
    int32_t CurrentElement() const override { return HasWindow() ? selected : -1; }
    void SelectElement(int32_t index) override { selected = index; }
    void Reload() override { ++reloads; }
    CApplyResult Apply() override { return m_apply ? m_apply(m_main) : CApplyResult(); }

    int32_t selected = -1;
    int reloads = 0;


private:
    static const CUiDialogTemplate& Template()
    {
        static const CUiDialogTemplate t{
            129, "test page", {620, 560}, 0, {{1084, UiControlKind::kEdit, "", {}, kUiTabStop}}, {}};
        return t;
    }
    CMainDlg& m_main;
    std::function<CApplyResult(CMainDlg&)> m_apply;
};

class MainDlgTest : public ::testing::Test {
protected:
    MainDlgTest()
    {
        std::filesystem::create_directories(folder.Path("program/makeitem_rules"));
        std::filesystem::create_directories(folder.Path("program/backup"));
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

    // Runs the main dialog while `act` acts in it; when `act` leaves it open,
    // the exit command closes it. `prepare` may put pages of the test's
    // behind the tabs first.
    void Run(const std::function<void(CMainDlg&)>& act, const std::function<void(CMainDlg&)>& prepare = nullptr)
    {
        CMainDlg main(startup);
        if (prepare)
            prepare(main);
        user.OnModal(
            [&](CDialogBase&) {
                act(main);
                if (!user.LookAt(main).IsEnded())
                    user.ChooseMenu(main, ID_FILE_EXIT);
            },
            CMainDlg::IDD);
        main.DoModal();
    }
    // Behind tab 0, a test page whose apply does `apply`.
    static std::function<void(CMainDlg&)> PageApplying(std::function<CApplyResult(CMainDlg&)> apply)
    {
        return [apply](CMainDlg& main) { main.SetPage(0, std::make_unique<TestPage>(main, apply)); };
    }

    // The title as it shows: the mark "[*]" a "*" while the window is
    // marked modified.
    std::string Title(const CMainDlg& main)
    {
        std::string title = Cp932ToUtf8(user.LookAt(main).GetCaption());
        if (const size_t mark = title.find("[*]"); mark != std::string::npos)
            title.replace(mark, 3, user.LookAt(main).HasModifiedMark() ? "*" : "");
        return title;
    }
    // The project name in the title ("file ― project ― Tavaro Item Editor").
    std::string ProjectInTitle(const CMainDlg& main)
    {
        const std::string separator = " ― ";
        std::string title = Title(main);
        const size_t last = title.rfind(separator);
        if (last == std::string::npos)
            return title;
        title.resize(last);
        const size_t before = title.rfind(separator);
        return before == std::string::npos ? title : title.substr(before + separator.size());
    }
    int32_t SelectedTab(const CMainDlg& main) { return user.Look(main, CMainDlg::IDC_TAB).curSel; }
    // The texts of the history submenu.
    std::vector<std::string> HistoryMenu(CMainDlg& main)
    {
        std::vector<std::string> texts;
        for (const CUiMenuItem& item : main.Menu().items[0].items[7].items)
            texts.push_back(Cp932ToUtf8(item.text.GetBuffer()) + (item.enabled ? "" : " (grayed)"));
        return texts;
    }
    // The document as a save would write it.
    static std::string WrittenText(CMainDlg& main)
    {
        const CWriterText text = CMerxWriter(main.Document()).WriteDocument();
        return std::string(text.GetBuffer(), text.GetLength());
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
