// The item page's icon edit: the item's icon file in the project's icon
// folder, made from the template when missing, opened with the icon
// program of the preferences or with the desktop's own.
#include <filesystem>
#include <fstream>
#include <system_error>

#include "editing/item_icon.h"
#include "foundation/decimal_text.h"
#include "foundation/native_path.h"
#include "foundation/sjis_literal.h"
#include "pages/page_item.h"
#include "pages/page_item_template.h"
#include "settings/setting_keys.h"
#include "ui/ui_services.h"

using namespace item_page;

namespace {

bool IsFolder(const CStr_base<64>& path)
{
    std::error_code error;
    return std::filesystem::is_directory(NativePath(path.GetBuffer()), error);
}

} // namespace

void Cpage_item::OnIconEdit()
{
    // The icon is the one of the item number shown.
    if (!AcceptTypedText(IDC_NO))
        return;
    CStr_base<64> dataFolder = FolderOfPath(m_context.FilePath().GetBuffer());
    if (dataFolder.IsEmpty() && !m_context.FilePath().IsEmpty())
        dataFolder.Assign(".");
    if (dataFolder.IsEmpty() || !IsFolder(dataFolder)) {
        m_context.ShowMessage(SJ("編集中のフォルダにアクセスできません"));
        return;
    }
    const CStr_base<64> iconFolder =
        IconFolderPath(dataFolder.GetBuffer(), m_context.ProjectInfo().iconImagePath.GetBuffer());
    if (!IsFolder(iconFolder)) {
        m_context.ShowMessage(SJ("アイコンが格納されているフォルダにアクセスできません"));
        return;
    }
    CStr_base<64> noText;
    Control(IDC_NO).GetText(noText);
    const int32_t number = ReadDecimal32(noText.GetBuffer(), 0);
    if (number < 1) {
        m_context.ShowMessage(SJ("アイテムNoが無効です"));
        return;
    }
    const CStr_base<64> iconPath = IconFilePath(iconFolder.GetBuffer(), number);
    const std::string native = NativePath(iconPath.GetBuffer());
    if (!std::ifstream(native, std::ios::binary)) {
        if (m_context.Ask(SJ("アイコンファイルにアクセスできません。\n新しいファイルを作成しますか？"),
                          UiButtons::kOkCancel) != UiAnswer::kOk)
            return;
        CStr_base<64> blank(m_context.ProgramFolder());
        blank.Append("/newitemicon.png");
        std::error_code error;
        if (!std::filesystem::copy_file(NativePath(blank.GetBuffer()), native, std::filesystem::copy_options::none,
                                        error)) {
            m_context.ShowMessage(SJ("アイコンファイルの作成に失敗しました。"));
            return;
        }
    }
    const CSettingsStore& settings = m_context.Settings();
    const CSettingsStore::Value* program = FindSetting(settings, kIconEditAppPathKey);
    if (program && !program->IsEmpty()) {
        const CSettingsStore::Value* value = FindSetting(settings, kIconEditAppValueKey);
        CStrArray_base<64> arguments;
        IconProgramArguments(value ? value->GetBuffer() : "\"%f\"", PathTextFromNative(native).GetBuffer(), arguments);
        if (UiShellOpen("open", program->GetBuffer(), arguments, iconFolder.GetBuffer(), this) <= 32)
            m_context.ShowMessage(SJ("指定プログラムを起動できません。\nパスの設定を確認してください。"));
        return;
    }
    if (UiShellOpen("open", iconPath.GetBuffer(), {}, "", this) <= 32)
        m_context.ShowMessage(
            SJ("アイコンファイルを開けません。\nWindowsの設定およびファイルを使用中でないか確認してください。"));
}
