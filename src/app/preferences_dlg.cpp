#include "app/preferences_dlg.h"

#include "app/startup_path.h"
#include "foundation/sjis_literal.h"
#include "settings/setting_keys.h"
#include "ui/ui_services.h"

namespace {

const CUiDialogTemplate& PreferencesTemplate()
{
    using P = CPreferencesDlg;
    static const CUiDialogTemplate t{
        P::IDD,
        SJ("環境設定"),
        {460, 400},
        kUiResizable,
        {
            {2001, UiControlKind::kStatic, SJ("メインページでの日本語第2バイト処理"), {10, 12, 240, 16}, 0},
            {P::IDC_PAGE_ESCAPE, UiControlKind::kDropList, "", {260, 10, 190, 120}, kUiTabStop},
            {2002, UiControlKind::kStatic, SJ("直接編集ページでの日本語第2バイト処理"), {10, 42, 240, 16}, 0},
            {P::IDC_EDIT_ESCAPE, UiControlKind::kDropList, "", {260, 40, 190, 120}, kUiTabStop},
            {P::IDC_AUTO_BACKUP, UiControlKind::kCheck,
             SJ("データを上書き保存する前に以前のデータをバックアップする"), {10, 75, 440, 16}, kUiTabStop},
            {P::IDC_RESTORE_OPEN, UiControlKind::kCheck, SJ("起動時に前回開いていたファイルを開く"),
             {10, 100, 440, 16}, kUiTabStop},
            {2003, UiControlKind::kStatic, SJ("アイコン編集アプリケーション"), {10, 130, 300, 16}, 0},
            {P::IDC_ICON_APP_PATH, UiControlKind::kEdit, "", {10, 150, 340, 20}, kUiTabStop},
            {P::IDC_ICON_APP_BROWSE, UiControlKind::kButton, SJ("参照(&P)..."), {360, 148, 90, 24}, kUiTabStop},
            {2004, UiControlKind::kStatic, SJ("アイコン編集アプリケーションへの引数(%fは対象フルパス)"),
             {10, 180, 440, 16}, 0},
            {P::IDC_ICON_APP_VALUE, UiControlKind::kEdit, "", {10, 200, 440, 20}, kUiTabStop},
            {P::IDC_EXT_CONTROL, UiControlKind::kCheck, SJ("拡張特殊機能を有効にする"), {10, 235, 440, 16},
             kUiTabStop},
            {P::IDC_EXT_GROUP, UiControlKind::kGroup, SJ("有効にする拡張特殊機能"), {10, 260, 440, 90}, 0},
            {P::IDC_INCLUDE_FACTOR, UiControlKind::kCheck,
             SJ("@@INCLUDEを要素として処理する(MERXの再起動後に反映)"), {20, 285, 420, 16}, kUiTabStop},
            {kIdOk, UiControlKind::kButton, "OK", {260, 366, 90, 24}, kUiTabStop | kUiDefaultButton},
            {kIdCancel, UiControlKind::kButton, SJ("ｷｬﾝｾﾙ"), {360, 366, 90, 24}, kUiTabStop},
        },
        {},
    };
    return t;
}

}  // namespace

CPreferencesDlg::CPreferencesDlg(CSettingsStore& settings) : CDialogBase(PreferencesTemplate()), m_settings(settings)
{
    Bind(IDC_EXT_CONTROL, UiEvent::kClicked, &CPreferencesDlg::OnExtControl);
    Bind(IDC_ICON_APP_BROWSE, UiEvent::kClicked, &CPreferencesDlg::OnBrowseIconApp);
}

void CPreferencesDlg::ShowEscapeMode(int32_t combo, const char* key)
{
    CUiControl control = Control(combo);
    control.ResetContent();
    control.AddString(SJ("補完が必要な場合確認する"));
    control.AddString(SJ("常に補完しない"));
    control.AddString(SJ("常に自動補完する"));
    const int32_t mode = ReadSettingNumber(m_settings, key, 0);
    if (mode < 0 || mode > 2) {
        control.SetCurSel(0);
        m_settings.GetValueForWrite(key)->Assign("0");
    } else {
        control.SetCurSel(mode);
    }
}

bool CPreferencesDlg::OnInitDialog()
{
    ShowEscapeMode(IDC_PAGE_ESCAPE, kPageEscapeModeKey);
    ShowEscapeMode(IDC_EDIT_ESCAPE, kEditEscapeModeKey);
    Control(IDC_RESTORE_OPEN).SetCheck(IsSwitchOn(m_settings, kRestoreOpenFileKey));
    Control(IDC_INCLUDE_FACTOR).SetCheck(IsSwitchOn(m_settings, kIncludeFactorKey));
    Control(IDC_EXT_CONTROL).SetCheck(IsSwitchOn(m_settings, kExtControlKey));
    Control(IDC_AUTO_BACKUP).SetCheck(IsSwitchOnOrMissing(m_settings, kSaveAutoBackupKey));
    Control(IDC_ICON_APP_PATH).SetText(*m_settings.GetValueForWrite(kIconEditAppPathKey));
    const CSettingsStore::Value* argument = m_settings.GetValue(kIconEditAppValueKey);
    Control(IDC_ICON_APP_VALUE).SetText(argument ? argument->GetBuffer() : "\"%f\"");
    if (!Control(IDC_EXT_CONTROL).GetCheck())
        EnableExtensions(false);
    return true;
}

void CPreferencesDlg::EnableExtensions(bool enable)
{
    Control(IDC_EXT_GROUP).Enable(enable);
    Control(IDC_INCLUDE_FACTOR).Enable(enable);
}

void CPreferencesDlg::OnExtControl()
{
    CUiControl check = Control(IDC_EXT_CONTROL);
    if (!check.GetCheck()) {
        EnableExtensions(false);
        return;
    }
    const UiAnswer answer = UiMessageBox(
        SJ("拡張特殊機能には、条件によってはデータを正しく扱えない可能性のある機能があります。\n"
           "有効にする前に有効にする機能の注意点について必ず確認し、\n"
           "現在編集中のファイルをバックアップしておくことを強く推奨します。\n\n"
           "拡張特殊機能を有効にしますか？"),
        UiButtons::kYesNo, this, UiAnswer::kNo);
    if (answer == UiAnswer::kYes)
        EnableExtensions(true);
    else
        check.SetCheck(false);
}

void CPreferencesDlg::OnBrowseIconApp()
{
    CUiFileRequest request;
    request.title = SJ("アイコン編集アプリケーションの選択");
    request.filter = SJ("アプリケーション (*.exe,*.com)|*.exe;*.com|全てのファイル(*.*)|*.*||");
    request.mustExist = true;
    CStr_base<64> path;
    if (UiAskFileName(request, path, this))
        Control(IDC_ICON_APP_PATH).SetText(path);
}

void CPreferencesDlg::OnOK()
{
    if (!AcceptTypedText())
        return;
    CStr_base<64> number;
    number.Format("%d", static_cast<int>(Control(IDC_PAGE_ESCAPE).GetCurSel()));
    m_settings.GetValueForWrite(kPageEscapeModeKey)->Assign(number);
    number.Format("%d", static_cast<int>(Control(IDC_EDIT_ESCAPE).GetCurSel()));
    m_settings.GetValueForWrite(kEditEscapeModeKey)->Assign(number);
    m_settings.SetSwitch(kSaveAutoBackupKey, Control(IDC_AUTO_BACKUP).GetCheck());
    m_settings.SetSwitch(kRestoreOpenFileKey, Control(IDC_RESTORE_OPEN).GetCheck());

    CStr_base<64> program;
    Control(IDC_ICON_APP_PATH).GetText(program);
    if (!program.IsEmpty() && !IsNormalFullPath(program, CurrentFolder())) {
        UiMessageBox(SJ("アイコン編集アプリケーションパスに絶対パスが指定されていません。\n"
                        "この項目は空欄にするか、絶対パスを指定しなければなりません。"),
                     UiButtons::kOk, this);
        return;
    }
    CStr_base<64> argument;
    Control(IDC_ICON_APP_VALUE).GetText(argument);
    m_settings.GetValueForWrite(kIconEditAppPathKey)->Assign(program);
    m_settings.GetValueForWrite(kIconEditAppValueKey)->Assign(argument);
    m_settings.SetSwitch(kExtControlKey, Control(IDC_EXT_CONTROL).GetCheck());
    m_settings.SetSwitch(kIncludeFactorKey, Control(IDC_INCLUDE_FACTOR).GetCheck());
    EndDialog(kIdOk);
}
