#include "shell/main_dlg_template.h"

#include "foundation/sjis_literal.h"

namespace {

CUiMenuItem Command(int32_t id, const char* text, const char* shortcut = "")
{
    CUiMenuItem item;
    item.id = id;
    item.text = text;
    item.shortcut = shortcut;
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
    CUiMenuItem none = Command(ID_HISTORY_FIRST, SJ("(なし)"));
    none.enabled = false;
    CUiMenu menu;
    menu.items.push_back(Popup(SJ("ファイル(&F)"), {
                                                      Command(ID_FILE_NEW, SJ("新規作成(&N)"), "Ctrl+N"),
                                                      Command(ID_FILE_OPEN, SJ("開く(&O)..."), "Ctrl+O"),
                                                      Command(ID_FILE_SAVE_AS, SJ("名前を付けて保存(&A)..."), "Ctrl+Shift+S"),
                                                      Command(ID_FILE_SAVE, SJ("上書き保存(&S)"), "Ctrl+S"),
                                                      Separator(),
                                                      Command(ID_PREFERENCES, SJ("環境設定(&C)...")),
                                                      Separator(),
                                                      Popup(SJ("最近使ったプロジェクト(&H)"), {none}),
                                                      Separator(),
                                                      Command(ID_FILE_EXIT, SJ("Tavaro Item Editorの終了(&X)")),
                                                  }));
    CUiMenuItem undo = Command(ID_EDIT_UNDO, SJ("取り消し(&U)"), "Ctrl+Z");
    CUiMenuItem redo = Command(ID_EDIT_REDO, SJ("やり直し(&R)"), "Ctrl+Y");
    redo.altShortcut = "Ctrl+Shift+Z";
    undo.enabled = redo.enabled = false;
    menu.items.push_back(Popup(SJ("編集(&E)"), {undo, redo}));
    menu.items.push_back(Popup(SJ("ツール(&T)"), {
                                                    Command(ID_FIND_REPLACE, SJ("検索/置換(&F)..."), "Ctrl+F"),
                                                    Command(ID_INTEGRITY_CHECK,
                                                            SJ("プロジェクト整合性チェック(&P)"), "F7"),
                                                    Separator(),
                                                    Command(ID_TOOL_RESULTS,
                                                            SJ("ツール結果ウィンドウ表示(&W)...")),
                                                }));
    menu.items.push_back(Popup(SJ("ヘルプ(&H)"), {
                                                    Command(ID_HELP_FILE, SJ("HTML解説ファイルを開く(&H)...")),
                                                    Command(ID_ABOUT,
                                                            SJ("Tavaro Item Editorのバージョン情報(&A)...")),
                                                }));
    return menu;
}

}  // namespace

const CUiDialogTemplate& MainDlgTemplate()
{
    static const CUiDialogTemplate t{
        IDD_MAIN,
        "Tavaro Item Editor",
        {860, 610},
        kUiResizable | kUiMaximizeBox | kUiMinimizeBox,
        {
            {IDC_MAIN_TAB, UiControlKind::kTab, "", {0, 0, 860, 610}, kUiTabStop},
        },
        MainMenu(),
    };
    return t;
}
