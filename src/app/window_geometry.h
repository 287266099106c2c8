// Window geometry kept in the settings store: each resizable window reads
// its rectangle when it opens and stores it when it goes, under a section
// of the root named after it (settings/setting_keys.h).
#pragma once

#include "settings/settings_store.h"
#include "ui/ui_types.h"

// The rectangle under the root section `section`: keys "x", "y", "w", "h",
// by default 0, 0, 500, 500.
CUiRect ReadWindowRect(const CSettingsStore& settings, const char* section);
// Stores the rectangle as "%d" numbers, making sure of the section.
void StoreWindowRect(CSettingsStore& settings, const char* section, const CUiRect& rect);
// "Maximize" under the section: only "true" maximizes.
bool ReadWindowMaximized(const CSettingsStore& settings, const char* section);
void StoreWindowMaximized(CSettingsStore& settings, const char* section, bool maximized);
