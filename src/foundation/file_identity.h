// Which file a path names, and which version of it: the device and inode
// say which file, the size and the modification time which version. A save
// remembers the identity of the file it read or wrote and compares it with
// the file on disk before it replaces that file, so that a change another
// program made meanwhile is not overwritten unseen.
//
// Paths are native paths (foundation/native_path.h); a symbolic link stands
// for the file it points at.
#pragma once

#include <cstdint>

struct CFileIdentity {
    bool exists = false;  // false: there was no file (or it could not be looked at)
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;

    bool operator==(const CFileIdentity&) const = default;
};

// The identity of the file at `path` now.
CFileIdentity FileIdentityOf(const char* path);
// The identity of the open file `fd`.
CFileIdentity FileIdentityOfDescriptor(int fd);

// Whether the file at `path` is no longer the one `remembered` describes:
// another file stands there, or the file was written since. A file that is
// gone counts as unchanged (nothing of it would be overwritten); a file
// standing where none was remembered counts as changed.
bool FileChangedSince(const char* path, const CFileIdentity& remembered);
