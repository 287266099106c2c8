// The program's settings store: one name for the store type, and the
// readings every caller shares. The key texts are in settings/setting_keys.h.
#pragma once

#include <cstdint>

#include "settings/ini_ex_ctrl.h"

using CSettingsStore = CIniExCtrl_base<32, 32, 64>;
using CSettingsSection = IniExElement<32, 32, 64>;

// The value at `path`, or null when its key or its section is missing (where
// the store's own lookup would raise for a missing section).
const CSettingsStore::Value* FindSetting(const CSettingsStore& settings, const char* path);

// A switch is on when it holds "ON"; a missing key or section counts as off.
bool IsSwitchOn(const CSettingsStore& settings, const char* path);
// The same for the switches whose absence counts as on: only a value other
// than "ON" turns them off.
bool IsSwitchOnOrMissing(const CSettingsStore& settings, const char* path);

// The decimal number at `path` as "%d" reads it (blanks, a sign, digits,
// anything after them ignored); `fallback` when the key or its section is
// missing or it holds no number that fits 32 bits.
int32_t ReadSettingNumber(const CSettingsStore& settings, const char* path, int32_t fallback);

// Whether the root has the section `name`.
bool HasRootSection(const CSettingsStore& settings, const char* name);
// Makes sure the root has the section `name`; the current section stays.
void EnsureRootSection(CSettingsStore& settings, const char* name);
