// The keys of the program's settings file and of the rule files, in one
// place. Switches hold "ON" or "OFF", flags "true" or "false", numbers
// decimal texts; a list is kept under its key followed by "[0]", "[1]", ...
#pragma once

// Sections under the root, made sure of by their users before use.
inline constexpr char kCustomSection[] = "Custom";
inline constexpr char kOpenHistorySection[] = "OpenFileHistory";
// The windows that keep their geometry: "x", "y", "w", "h" under the section,
// and "Maximize" or "Lock" where the window has it.
inline constexpr char kMainDialogSection[] = "MainDialog";
inline constexpr char kEditDialogSection[] = "EditDialog";
inline constexpr char kDirectInputSection[] = "DirectInputDialog";
inline constexpr char kErrInfoSection[] = "ErrInfoDialog";
inline constexpr char kJumpInfoSection[] = "JumpInfoDialog";

// Preferences.
inline constexpr char kPageEscapeModeKey[] = "/Custom/Page0x5cEscapeMode";  // "0" to "2"
inline constexpr char kEditEscapeModeKey[] = "/Custom/Edit0x5cEscapeMode";  // "0" to "2"
inline constexpr char kSaveAutoBackupKey[] = "/Custom/SaveAutoBackup";      // missing counts as on
inline constexpr char kRestoreOpenFileKey[] = "/Custom/RestoreOpenFile";
inline constexpr char kIconEditAppPathKey[] = "/Custom/IconEditAppPath";    // a text
inline constexpr char kIconEditAppValueKey[] = "/Custom/IconEditAppValue";  // a text
inline constexpr char kExtControlKey[] = "/Custom/ExtControl";
inline constexpr char kIncludeFactorKey[] = "/Custom/Ext_IncludeFactor";

// The main window's own values.
inline constexpr char kLastOpenFileKey[] = "/LastOpenFile";
inline constexpr char kLastCurrentDirectoryKey[] = "/LastCurrentDirectory";
inline constexpr char kHistoryPathKey[] = "/OpenFileHistory/Path";  // list
inline constexpr char kHistoryInfoKey[] = "/OpenFileHistory/Info";  // list
inline constexpr char kErrInfoLockKey[] = "/ErrInfoDialog/Lock";

// The root values of a rule file.
inline constexpr char kRuleNameKey[] = "/RuleName";
inline constexpr char kBetaEnableKey[] = "/BetaEnable";  // flag
