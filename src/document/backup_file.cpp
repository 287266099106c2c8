#include "document/backup_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "foundation/native_path.h"

namespace {

// Closes a descriptor when it goes out of scope.
struct FileDescriptor {
    int fd;
    explicit FileDescriptor(int value) : fd(value) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

// Copies `from` to the new file `to`; EEXIST when `to` exists.
int CopyToNewFile(const std::string& from, const std::string& to)
{
    FileDescriptor in(open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd < 0)
        return errno;
    FileDescriptor out(open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (out.fd < 0)
        return errno;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(in.fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            unlink(to.c_str());
            return error;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = write(out.fd, buffer + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0) {
                const int error = errno;
                unlink(to.c_str());
                return error;
            }
            done += put;
        }
    }
    if (fsync(out.fd) != 0) {
        const int error = errno;
        unlink(to.c_str());
        return error;
    }
    return 0;
}

// A second link to `from` named `to`, or a copy where links cannot be made.
int LinkOrCopy(const std::string& from, const std::string& to)
{
    if (linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    const int error = errno;
    if (error == EXDEV || error == EPERM || error == EOPNOTSUPP || error == EMLINK)
        return CopyToNewFile(from, to);
    return error;
}

} // namespace

CStr_base<64> BackupFileName(const char* programFolder, const std::tm& when)
{
    CStr_base<64> name;
    name.Format("%s/backup/inc-item-data%04d%02d%02d%02d%02d%02d.cgi", programFolder, when.tm_year + 1900,
                when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    return name;
}

int KeepBackup(const char* path, const char* backupName, std::string& kept, bool asCopy)
{
    const std::string from = NativePath(path);
    if (access(from.c_str(), F_OK) != 0)
        return errno;
    const std::string name = NativePath(backupName);
    const size_t dot = name.rfind('.');
    const size_t slash = name.rfind('/');
    const size_t cut = (dot != std::string::npos && (slash == std::string::npos || dot > slash)) ? dot : name.size();
    // Far more than saves in one second can use; a folder full of them ends the search.
    for (int number = 1; number <= 10000; ++number) {
        const std::string to =
            number == 1 ? name : name.substr(0, cut) + "_" + std::to_string(number) + name.substr(cut);
        const int error = asCopy ? CopyToNewFile(from, to) : LinkOrCopy(from, to);
        if (error == 0)
            kept = to;
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

void DropBackup(const std::string& kept) { unlink(kept.c_str()); }
