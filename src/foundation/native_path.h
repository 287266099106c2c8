// Paths as the system keeps them, and as the platform takes them.
//
// The system's path texts are Shift-JIS like every other text; the
// platform's file functions take UTF-8 names. The conversion is made only
// where a file is touched. Folders are separated by "/" only: a "\" is an
// ordinary character of a file name on this platform, so a path text given
// by the user, the file dialogs, the history or the settings names exactly
// the file of that name. The program's own pieces of paths (the backup
// folder, the rule folder, the icon template and icon files) are joined
// with "/".
//
// Names of Japanese and ASCII characters survive the round trip from the
// file system and back. Bytes that are no Shift-JIS character reach the file
// system unchanged, and file-system bytes that are no UTF-8 come back as
// they are. A name with characters that Shift-JIS cannot hold (most of
// Unicode outside Japanese) has no path text: ExactPathText says so, and
// PathTextFromNative puts "?" in their place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/str_base.h"

// The native form of the path text `path`: UTF-8, every byte 0x5C a "\"
// of the name (or the second byte of a double-byte character).
std::string NativePath(const char* path);

// The path text of the native path `native`, with "?" for characters that
// Shift-JIS cannot hold; for the program's own folder, which the user does
// not name.
CStr_base<64> PathTextFromNative(std::string_view native);

// The path text that names the native path `native` again, or nothing when
// there is none: then `unfit` holds the characters that keep it from doing
// so (those CP932 lacks and those it would write as another character, each
// once), and is empty when the cause is a run of bytes that are no UTF-8.
std::optional<CStr_base<64>> ExactPathText(std::string_view native, std::u32string& unfit);

// The program file's own full native path; empty when it cannot be found.
std::string ProgramFilePath();

// The folder that holds the program file, without a trailing "/" (but "/"
// itself for the root folder); empty when it cannot be found.
std::string ProgramFolder();
