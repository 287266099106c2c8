#include "app/window_geometry.h"

namespace {

CStr_base<64> KeyPath(const char* section, const char* key)
{
    CStr_base<64> path;
    path.Format("/%s/%s", section, key);
    return path;
}

}  // namespace

CUiRect ReadWindowRect(const CSettingsStore& settings, const char* section)
{
    return {ReadSettingNumber(settings, KeyPath(section, "x"), 0),
            ReadSettingNumber(settings, KeyPath(section, "y"), 0),
            ReadSettingNumber(settings, KeyPath(section, "w"), 500),
            ReadSettingNumber(settings, KeyPath(section, "h"), 500)};
}

void StoreWindowRect(CSettingsStore& settings, const char* section, const CUiRect& rect)
{
    EnsureRootSection(settings, section);
    settings.GetValueForWrite(KeyPath(section, "x"))->Format("%d", rect.x);
    settings.GetValueForWrite(KeyPath(section, "y"))->Format("%d", rect.y);
    settings.GetValueForWrite(KeyPath(section, "w"))->Format("%d", rect.w);
    settings.GetValueForWrite(KeyPath(section, "h"))->Format("%d", rect.h);
}

bool ReadWindowMaximized(const CSettingsStore& settings, const char* section)
{
    const CSettingsStore::Value* value = FindSetting(settings, KeyPath(section, "Maximize"));
    return value && *value == "true";
}

void StoreWindowMaximized(CSettingsStore& settings, const char* section, bool maximized)
{
    EnsureRootSection(settings, section);
    settings.GetValueForWrite(KeyPath(section, "Maximize"))->Assign(maximized ? "true" : "false");
}
