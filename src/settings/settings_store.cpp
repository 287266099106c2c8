#include "settings/settings_store.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const CSettingsStore::Value* FindSetting(const CSettingsStore& settings, const char* path)
{
    const char* slash = std::strrchr(path, '/');
    if (!slash)
        return settings.GetSectionValues("")->Lookup(path);
    CStr_base<64> section;
    section.Assign(path, static_cast<int32_t>(slash - path));
    const CSettingsStore::ValueMap* values = settings.GetSectionValues(slash == path ? "/" : section.GetBuffer());
    return values ? values->Lookup(slash + 1) : nullptr;
}

bool IsSwitchOn(const CSettingsStore& settings, const char* path)
{
    const CSettingsStore::Value* value = FindSetting(settings, path);
    return value && *value == "ON";
}

bool IsSwitchOnOrMissing(const CSettingsStore& settings, const char* path)
{
    const CSettingsStore::Value* value = FindSetting(settings, path);
    return !value || *value == "ON";
}

int32_t ReadSettingNumber(const CSettingsStore& settings, const char* path, int32_t fallback)
{
    const CSettingsStore::Value* value = FindSetting(settings, path);
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

bool HasRootSection(const CSettingsStore& settings, const char* name)
{
    return settings.GetRoot()->sections.Lookup(name) != nullptr;
}

void EnsureRootSection(CSettingsStore& settings, const char* name)
{
    const CStr_base<64> current(settings.GetCurrentPath());
    settings.ChangeSection("/");
    settings.CreateSection(name);
    settings.ChangeSection(current.IsEmpty() ? "/" : current.GetBuffer());
}
