// What the page tests share: a data file opened under the beta rule with
// the stored selections a test gives, a page's controls read and typed in
// UTF-8, the stored fields of the document and the direct edit.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "app/direct_input_dlg.h"

using Lines = std::vector<std::string>;

class PageTest : public MainDlgTest {
protected:
    // Opens `utf8` as "data.cgi" behind a project block that holds the
    // lines `stored` (such as "###ItemID=0\r\n"); the messages of a run
    // before are dropped.
    void OpenData(const std::string& utf8, const std::string& stored = "")
    {
        user.TakeMessages();
        std::string block = InfoBlock(kBetaRule, "p");
        block.insert(block.find("###MERX_PROJECT_INFO_END"), stored);
        startup.commandLine = PutFile("data.cgi", block + S(utf8));
    }
    std::string Saved() { return folder.Get("data.cgi"); }
    void Save(CMainDlg& main) { user.ChooseMenu(main, ID_FILE_SAVE); }
    void Enter(CMainDlg& main, int32_t tab) { user.Select(main, CMainDlg::IDC_TAB, tab); }
    void Apply(CMainPage& page) { user.Click(page, kIdOk); }
    std::string Text(const CDialogBase& page, int32_t id) { return U(user.Look(page, id).text); }
    int32_t Sel(const CDialogBase& page, int32_t id) { return user.Look(page, id).curSel; }
    bool Enabled(const CDialogBase& page, int32_t id) { return user.Look(page, id).enabled; }
    void Type(CMainPage& page, int32_t id, const std::string& utf8) { user.TypeText(page, id, S(utf8).c_str()); }
    Lines Items(const CDialogBase& page, int32_t id)
    {
        Lines lines;
        for (const CStr_base<64>& line : user.Look(page, id).items)
            lines.push_back(U(line));
        return lines;
    }
    static std::string Field(const CMerxFieldElement& element, const char* key)
    {
        const CMerxString* value = element.GetField(key);
        return value ? U(*value) : "<undefined>";
    }
    template <class List>
    static Lines Utf8Lines(const List& list)
    {
        Lines lines;
        for (const CStr_base<64>& line : list)
            lines.push_back(U(line));
        return lines;
    }
    // The direct edit behind `button`: `edit` turns the shown text into the
    // typed one, then OK, and Cancel when the text is refused. Gives the
    // refusal's error lines.
    Lines DirectEdit(CMainPage& page, int32_t button, const std::function<std::string(const std::string&)>& edit)
    {
        Lines errors;
        user.OnModal([&](CDialogBase& d) {
            user.TypeText(d, CDirectInputDlg::IDC_TEXT, S(edit(U(user.Look(d, CDirectInputDlg::IDC_TEXT).text))).c_str());
            user.Click(d, kIdOk);
            if (user.LookAt(d).IsEnded())
                return;
            for (const CStr_base<64>& line : static_cast<CDirectInputDlg&>(d).ErrInfo().GetLines())
                errors.push_back(U(line));
            user.Click(d, kIdCancel);
        });
        user.Click(page, button);
        return errors;
    }
};
