// Backups of the data file: before a save replaces the file, the previous
// file is kept in the folder "backup" under the program folder, under a
// name made of the time of the save.
#pragma once

#include <ctime>
#include <string>

#include "foundation/str_base.h"

// "%s/backup/inc-item-data%04d%02d%02d%02d%02d%02d.cgi" for `programFolder`
// and the local time `when` (the file name the game's tools give a backup,
// in the folder "backup" of the program folder).
CStr_base<64> BackupFileName(const char* programFolder, const std::tm& when);

// Keeps the file at `path` under `backupName` (both path texts). The file
// stays where it is, so that it is only replaced once its new content is
// complete; the backup is a second link to it or, where the backup folder
// lies on another file system, a copy. A file that is then written over in
// place, not replaced, is backed up `asCopy`: a second link would be written
// over with it. An earlier backup is never replaced: when the name is
// taken, "_2", "_3", … is put before its extension. Returns 0 or the
// system's error number: ENOENT (2) when the file or the backup folder does
// not exist. On success `kept` is the native path of the backup made.
int KeepBackup(const char* path, const char* backupName, std::string& kept, bool asCopy = false);

// Removes the backup made for a save that then failed: the file stands
// unchanged, and a backup that is a second link to it would change with
// every later change made to the file in place.
void DropBackup(const std::string& kept);
