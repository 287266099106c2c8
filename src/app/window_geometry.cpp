#include "app/window_geometry.h"

#include <cerrno>
#include <cstdlib>

namespace {

CStr_base<64> KeyPath(const char* section, const char* key)
{
    CStr_base<64> path(section);
    path.Append('/');
    path.Append(key);
    return path;
}

}  // namespace

void EnsureRootSection(CSettingsStore& settings, const char* name)
{
    const CStr_base<64> current(settings.GetCurrentPath());
    settings.ChangeSection("/");
    settings.CreateSection(name);
    settings.ChangeSection(current.IsEmpty() ? "/" : current.GetBuffer());
}

int32_t ReadSettingNumber(const CSettingsStore& settings, const char* path, int32_t fallback)
{
    const CSettingsStore::Value* value = settings.GetValue(path);
    if (!value)
        return fallback;
    const char* text = value->GetBuffer();
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || number < INT32_MIN || number > INT32_MAX)
        return fallback;
    return static_cast<int32_t>(number);
}

CUiRect ReadWindowRect(const CSettingsStore& settings, const char* section)
{
    return {ReadSettingNumber(settings, KeyPath(section, "x"), 0),
            ReadSettingNumber(settings, KeyPath(section, "y"), 0),
            ReadSettingNumber(settings, KeyPath(section, "w"), 500),
            ReadSettingNumber(settings, KeyPath(section, "h"), 500)};
}

void StoreWindowRect(CSettingsStore& settings, const char* section, const CUiRect& rect)
{
    settings.GetValueForWrite(KeyPath(section, "x"))->Format("%d", rect.x);
    settings.GetValueForWrite(KeyPath(section, "y"))->Format("%d", rect.y);
    settings.GetValueForWrite(KeyPath(section, "w"))->Format("%d", rect.w);
    settings.GetValueForWrite(KeyPath(section, "h"))->Format("%d", rect.h);
}
