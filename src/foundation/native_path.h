// Paths as the system writes them, and as the platform takes them.
//
// The system's path texts separate folders with "\" ("..\Image",
// "%s\backup\…"), as the game's own tools do; the platform's file functions
// take "/". Path texts hold the file system's own bytes (UTF-8 names on this
// platform, where a byte 0x5C is always a backslash and never part of
// another character), so every 0x5C byte is a separator. The conversion is
// made only where a file is touched; texts that are stored keep their "\".
#pragma once

#include <string>

// `path` with every "\" turned into "/".
std::string NativePath(const char* path);

// The program file's own full path; empty when it cannot be found.
std::string ProgramFilePath();

// The folder that holds the program file, without a trailing "/" (but "/"
// itself for the root folder); empty when it cannot be found.
std::string ProgramFolder();
