#include "foundation/file_identity.h"

#include <sys/stat.h>

namespace {

CFileIdentity FromStat(const struct stat& info)
{
    CFileIdentity identity;
    identity.exists = true;
    identity.device = static_cast<uint64_t>(info.st_dev);
    identity.inode = static_cast<uint64_t>(info.st_ino);
    identity.size = static_cast<uint64_t>(info.st_size);
    identity.modifiedSeconds = static_cast<int64_t>(info.st_mtim.tv_sec);
    identity.modifiedNanoseconds = static_cast<int64_t>(info.st_mtim.tv_nsec);
    return identity;
}

}  // namespace

CFileIdentity FileIdentityOf(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 ? FromStat(info) : CFileIdentity{};
}

CFileIdentity FileIdentityOfDescriptor(int fd)
{
    struct stat info;
    return fstat(fd, &info) == 0 ? FromStat(info) : CFileIdentity{};
}

bool FileChangedSince(const char* path, const CFileIdentity& remembered)
{
    const CFileIdentity now = FileIdentityOf(path);
    return now.exists && !(now == remembered);
}
