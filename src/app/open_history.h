// The open-file history: the files last opened or saved, newest first, kept
// in the settings store as two lists under "OpenFileHistory": "Path[i]"
// holds the full path, "Info[i]" the menu text ("project / rule").
#pragma once

#include <cstdint>

#include "foundation/str_array.h"
#include "settings/settings_store.h"

constexpr uint32_t kOpenHistoryMenuMax = 5;

struct COpenHistory {
    CStrArray_base<64> paths;
    CStrArray_base<64> infos; // may be shorter than the paths
};

// The path as the menu shows it beside the entry: whole when short, else
// its last folders and file name after "...".
CStr_base<64> HistoryPathNote(const char* path);

// Reads both lists (empty when the section does not exist).
void ReadOpenHistory(const CSettingsStore& settings, COpenHistory& history);

// Puts `path` at the top: an equal path (byte for byte) moves up instead of
// standing twice, and beyond five entries the last one goes. Both lists
// are written back; `history` receives them.
void AddToOpenHistory(CSettingsStore& settings, const char* path, const char* projectName, const char* ruleName,
                      COpenHistory& history);
