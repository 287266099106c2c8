#include "app/main_dlg_template.h"

#include "app/main_dlg.h"
#include "foundation/sjis_literal.h"

namespace {

CUiMenuItem Command(int32_t id, const char* text)
{
    CUiMenuItem item;
    item.id = id;
    item.text = text;
    return item;
}

CUiMenuItem Separator()
{
    CUiMenuItem item;
    item.separator = true;
    return item;
}

CUiMenuItem Popup(const char* text, std::vector<CUiMenuItem> items)
{
    CUiMenuItem item;
    item.text = text;
    item.items = std::move(items);
    return item;
}

CUiMenu MainMenu()
{
    using M = CMainDlg;
    CUiMenuItem none = Command(M::ID_HISTORY_FIRST, SJ("(なし)"));
    none.enabled = false;
    CUiMenu menu;
    menu.items.push_back(Popup(SJ("ファイル(&F)"), {
                                                      Command(M::ID_FILE_NEW, SJ("新規作成(&N)")),
                                                      Command(M::ID_FILE_OPEN, SJ("開く(&O)...")),
                                                      Command(M::ID_FILE_SAVE_AS, SJ("名前を付けて保存(&A)...")),
                                                      Command(M::ID_FILE_SAVE, SJ("上書き保存(&S)")),
                                                      Separator(),
                                                      Command(M::ID_PREFERENCES, SJ("環境設定(&C)...")),
                                                      Separator(),
                                                      Popup(SJ("最近使ったプロジェクト(&H)"), {none}),
                                                      Separator(),
                                                      Command(M::ID_FILE_EXIT, SJ("Tavaro Item Editorの終了(&X)")),
                                                  }));
    menu.items.push_back(Popup(SJ("ツール(&T)"), {
                                                    Command(M::ID_FIND_REPLACE, SJ("検索/置換(&F)...")),
                                                    Command(M::ID_INTEGRITY_CHECK,
                                                            SJ("プロジェクト整合性チェック(&P)")),
                                                    Separator(),
                                                    Command(M::ID_TOOL_RESULTS,
                                                            SJ("ツール結果ウィンドウ表示(&W)...")),
                                                }));
    menu.items.push_back(Popup(SJ("ヘルプ(&H)"), {
                                                    Command(M::ID_HELP_FILE, SJ("HTML解説ファイルを開く(&H)...")),
                                                    Command(M::ID_ABOUT,
                                                            SJ("Tavaro Item Editorのバージョン情報(&A)...")),
                                                }));
    return menu;
}

}  // namespace

const CUiDialogTemplate& MainDlgTemplate()
{
    static const CUiDialogTemplate t{
        CMainDlg::IDD,
        "Tavaro Item Editor",
        {660, 540},
        kUiMinimizeBox,
        {
            {CMainDlg::IDC_TAB, UiControlKind::kTab, "", {0, 0, 660, 540}, kUiTabStop},
        },
        MainMenu(),
    };
    return t;
}
