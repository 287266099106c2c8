// Window geometry and switches kept in the settings store: each resizable
// window reads its rectangle when it opens and stores it when it goes.
#pragma once

#include <cstdint>

#include "settings/ini_ex_ctrl.h"
#include "ui/ui_types.h"

using CSettingsStore = CIniExCtrl_base<32, 32, 64>;

// Makes sure the root has the section `name`; the current section stays.
void EnsureRootSection(CSettingsStore& settings, const char* name);
// The decimal number at `path` as "%d" reads it (blanks, a sign, digits,
// anything after them ignored); `fallback` when the key is missing or holds
// no number that fits 32 bits.
int32_t ReadSettingNumber(const CSettingsStore& settings, const char* path, int32_t fallback);
// The rectangle under the section `section` ("/EditDialog"), which must
// exist: keys "x", "y", "w", "h", by default 0, 0, 500, 500.
CUiRect ReadWindowRect(const CSettingsStore& settings, const char* section);
// Stores the rectangle under the existing section `section` as "%d" numbers.
void StoreWindowRect(CSettingsStore& settings, const char* section, const CUiRect& rect);
