// Paths as the system writes them, and as the platform takes them.
//
// The system's path texts are Shift-JIS like every other text and separate
// folders with "\" ("..\Image", "%s\backup\…"), as the game's own tools
// do; "/" separates too. The platform's file functions take UTF-8 names
// with "/". The conversion is made only where a file is touched; texts that
// are stored keep their "\".
//
// A byte 0x5C is a separator only where it stands alone: the second byte of
// a double-byte character ("表" is 0x95 0x5C) is part of that character.
// Names of Japanese and ASCII characters survive the round trip from the
// file system and back. Bytes that are no Shift-JIS character reach the file
// system unchanged, and file-system bytes that are no UTF-8 come back as
// they are; a name with characters that Shift-JIS cannot hold (most of
// Unicode outside Japanese) comes back with "?" in their place and cannot be
// found again under that text.
#pragma once

#include <string>
#include <string_view>

#include "foundation/str_base.h"

// The native form of the path text `path`: UTF-8, every separator "/".
std::string NativePath(const char* path);

// The path text of the native path `native` (its "/" stay as they are).
CStr_base<64> PathTextFromNative(std::string_view native);

// The program file's own full native path; empty when it cannot be found.
std::string ProgramFilePath();

// The folder that holds the program file, without a trailing "/" (but "/"
// itself for the root folder); empty when it cannot be found.
std::string ProgramFolder();
