#include "foundation/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "foundation/leftover_files.h"

namespace {

// Bytes read or written at a time.
constexpr size_t kChunk = 1 << 16;

// Texts count their bytes in 32 bits and take lengths as signed numbers.
static_assert(kLargestFileBytes < INT32_MAX - 16);

std::atomic<uint64_t> g_largestFileBytes{kLargestFileBytes};

// The bytes that `length` bytes of `text` take on disk, each LF as CR LF.
uint64_t DiskBytes(const char* text, size_t length)
{
    uint64_t bytes = length;
    const char* end = text + length;
    while (const void* lf = std::memchr(text, '\n', static_cast<size_t>(end - text))) {
        ++bytes;
        text = static_cast<const char*>(lf) + 1;
    }
    return bytes;
}

void CloseQuietly(int fd)
{
    const int saved = errno;
    close(fd);
    errno = saved;
}

// The folder part of `path` ("." when it has none).
std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write to `path` replaces: the file a symbolic link points at,
// otherwise `path` itself.
std::string ReplacedFile(const char* path)
{
    struct stat link;
    if (lstat(path, &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* resolved = realpath(path, nullptr)) {
            std::string target(resolved);
            std::free(resolved);
            return target;
        }
    }
    return path;
}

// Why a file of this kind is not replaced; null for a regular file.
const char* NotRegularReason(mode_t mode)
{
    switch (mode & S_IFMT) {
    case S_IFREG:
        return nullptr;
    case S_IFDIR:
        return "not a regular file (a directory)";
    case S_IFCHR:
        return "not a regular file (a character device)";
    case S_IFBLK:
        return "not a regular file (a block device)";
    case S_IFIFO:
        return "not a regular file (a FIFO)";
    case S_IFSOCK:
        return "not a regular file (a socket)";
    default:
        return "not a regular file";
    }
}

// The name of a temporary file: ".tavaro-save-<pid>-" and the attempt.
constexpr char kTemporaryPrefix[] = ".tavaro-save-";

bool IsAttemptNumber(std::string_view rest)
{
    return rest.size() > 1 && rest[0] == '-' &&
           rest.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

// Best effort: the temporary files that writers killed before they ended
// left in `folder`.
void RemoveLeftoverTemporaries(const std::string& folder)
{
    const int saved = errno;
    for (const std::string& path : LeftoverFiles(folder, kTemporaryPrefix, IsAttemptNumber))
        unlink(path.c_str());
    errno = saved;
}

// Takes the exclusive lock of the file `path` for a replacement: the lock's
// descriptor, or -1 when the file cannot be opened. A lock that another
// program holds for longer than a few seconds is not waited for any more.
int LockForReplacement(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    for (int attempt = 0; fd >= 0 && attempt < 500 && flock(fd, LOCK_EX | LOCK_NB) != 0; ++attempt) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        usleep(10000);
    }
    return fd;
}

// Best effort: makes a rename inside `folder` durable.
void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

uint64_t LargestFileBytes() { return g_largestFileBytes.load(std::memory_order_relaxed); }

void SetLargestFileBytes(uint64_t bytes)
{
    g_largestFileBytes.store(std::min(bytes, kLargestFileBytes), std::memory_order_relaxed);
}

size_t CollapseCrLf(char* data, size_t size)
{
    size_t out = 0;
    size_t in = 0;
    // Runs up to each CR move down whole; only the CR of a CR LF is left out.
    while (in < size) {
        const void* found = std::memchr(data + in, '\r', size - in);
        const size_t stop = found ? static_cast<size_t>(static_cast<const char*>(found) - data) : size;
        if (out != in)
            std::memmove(data + out, data + in, stop - in);
        out += stop - in;
        if (!found)
            break;
        if (stop + 1 >= size || data[stop + 1] != '\n')
            data[out++] = '\r';
        in = stop + 1;
    }
    return out;
}

void AppendWithCrLf(std::string& out, const char* text, size_t length)
{
    const char* end = text + length;
    while (text < end) {
        const void* lf = std::memchr(text, '\n', static_cast<size_t>(end - text));
        if (!lf) {
            out.append(text, end);
            return;
        }
        const char* at = static_cast<const char*>(lf);
        out.append(text, at);
        out.append("\r\n", 2);
        text = at + 1;
    }
}

TextFileStatus ReadFileInto(const char* path, void* buffer, FileBufferResize resize, size_t& length, int* error,
                            uint64_t* size)
{
    auto failed = [error](int number) {
        if (error)
            *error = number;
        return TextFileStatus::kFailed;
    };
    auto tooLarge = [size](uint64_t known) {
        if (size)
            *size = known;
        return TextFileStatus::kTooLarge;
    };

    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failed(errno);
    struct stat info;
    if (fstat(fd, &info) != 0) {
        CloseQuietly(fd);
        return failed(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        close(fd);
        return failed(EISDIR);
    }
    const uint64_t limit = LargestFileBytes();
    const bool regular = S_ISREG(info.st_mode);
    const uint64_t announced = regular && info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
    if (announced > limit) {
        close(fd);
        return tooLarge(announced);
    }

    // Room for the announced size and one more byte, so that the end of a
    // regular file is seen without growing. Files that grow meanwhile, and
    // devices and pipes, are read on up to one byte past the limit.
    size_t used = 0;
    size_t room = regular ? static_cast<size_t>(announced) + 1 : kChunk;
    char* bytes = resize(buffer, room);
    for (;;) {
        if (used == room) {
            if (used > limit) {
                close(fd);
                return tooLarge(0);
            }
            room = std::min<size_t>(limit + 1, used + std::max(used, kChunk));
            bytes = resize(buffer, room);
        }
        const ssize_t got = read(fd, bytes + used, room - used);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            CloseQuietly(fd);
            return failed(errno);
        }
        if (got == 0)
            break;
        used += static_cast<size_t>(got);
    }
    close(fd);
    length = used;
    return TextFileStatus::kOk;
}

std::string TooLargeReason(uint64_t size)
{
    const uint64_t largest = LargestFileBytes();
    std::string limit = "more than the " + std::to_string(largest) + " bytes";
    if (largest % (1 << 20) == 0)
        limit += " (" + std::to_string(largest >> 20) + " MiB)";
    limit += " a file may have";
    return size ? std::to_string(size) + " bytes, " + limit : limit;
}

TextFileStatus ReadTextFileBytes(const char* path, std::string& text, int* error, uint64_t* size)
{
    std::string bytes;
    size_t length = 0;
    const FileBufferResize resize = [](void* buffer, size_t n) {
        auto* read = static_cast<std::string*>(buffer);
        read->resize(n);
        return read->data();
    };
    const TextFileStatus status = ReadFileInto(path, &bytes, resize, length, error, size);
    if (status != TextFileStatus::kOk)
        return status;
    if (std::memchr(bytes.data(), 0, length))
        return TextFileStatus::kHasZeroByte;
    bytes.resize(CollapseCrLf(bytes.data(), length));
    text.swap(bytes);
    return TextFileStatus::kOk;
}

bool CTextFileWriter::Begin(const char* path, bool mayWriteInPlace)
{
    Abandon();
    m_nError = 0;
    m_pszRefusal = nullptr;
    m_nTooLargeBytes = 0;
    m_bInPlace = false;
    m_bPartlyWritten = false;
    m_target = ReplacedFile(path);
    m_written = CFileIdentity{};

    struct stat existing;
    const bool replaces = stat(m_target.c_str(), &existing) == 0;
    if (replaces) {
        if (const char* kind = NotRegularReason(existing.st_mode))
            return Fail(S_ISDIR(existing.st_mode) ? EISDIR : EINVAL, kind);
        if ((existing.st_mode & 0222) == 0)
            return Fail(EACCES, "the file is read-only (it has no write permission)");
        if (faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
            return Fail(errno);
    }

    // A name of its own in the target's folder; a clash with a leftover of
    // an earlier run is stepped over. Read too: a write in place copies it.
    const std::string folder = FolderOf(m_target);
    RemoveLeftoverTemporaries(folder);
    const std::string stem = folder + "/" + kTemporaryPrefix + std::to_string(getpid()) + "-";
    for (unsigned attempt = 0; m_fd < 0; ++attempt) {
        m_temporary = stem + std::to_string(attempt);
        m_fd = open(m_temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && (errno != EEXIST || attempt == 100)) {
            const int number = errno;
            m_temporary.clear();
            return Fail(number);
        }
    }
    if (!replaces)
        return true;
    // The owner first: a change of owner clears the set-user-ID bits.
    struct stat made;
    if (fstat(m_fd, &made) != 0)
        return Fail(errno);
    if ((made.st_uid != existing.st_uid || made.st_gid != existing.st_gid) &&
        fchown(m_fd, existing.st_uid, existing.st_gid) != 0) {
        if (!mayWriteInPlace)
            return RefuseInPlace();
        // The temporary file only holds the content until it is copied,
        // for the user alone: the file's group may not read it.
        m_bInPlace = true;
        return fchmod(m_fd, S_IRUSR | S_IWUSR) == 0 || Fail(errno);
    }
    if (fchmod(m_fd, existing.st_mode & 07777) != 0)
        return Fail(errno);
    return true;
}

bool CTextFileWriter::Write(const char* text, size_t length)
{
    if (m_nError)
        return false;
    // Past the limit only the size is counted, for the message.
    if (m_nBytes > LargestFileBytes()) {
        m_nBytes += DiskBytes(text, length);
        return true;
    }
    if (m_fd < 0 || m_bCompleted)
        return Fail(EBADF);
    const size_t before = m_buffer.size();
    AppendWithCrLf(m_buffer, text, length);
    m_nBytes += m_buffer.size() - before;
    if (m_nBytes > LargestFileBytes()) {
        const uint64_t counted = m_nBytes;
        Abandon();
        m_nBytes = counted;
        return true;
    }
    return m_buffer.size() < kChunk || Flush();
}

bool CTextFileWriter::Complete()
{
    if (m_nError)
        return false;
    if (m_nBytes > LargestFileBytes()) {
        const uint64_t counted = m_nBytes;
        Fail(EFBIG);
        m_nTooLargeBytes = counted;
        return false;
    }
    if (m_fd < 0)
        return Fail(EBADF);
    if (m_bCompleted)
        return true;
    if (!Flush())
        return false;
    // What is written in place is read back from here, not kept.
    if (!m_bInPlace && fsync(m_fd) != 0)
        return Fail(errno);
    m_bCompleted = true;
    return true;
}

bool CTextFileWriter::Commit()
{
    if (!Complete())
        return false;
    return m_bInPlace ? CommitInPlace() : Replace();
}

CTextFileWriter::CommitResult CTextFileWriter::CommitUnlessChanged(const CFileIdentity& expected)
{
    if (!Complete())
        return CommitResult::kFailed;
    // The lock is on the file being replaced: a writer that waited for it
    // finds another file under the name once it has it.
    const int lock = LockForReplacement(m_target);
    const bool changed = FileChangedSince(m_target.c_str(), expected);
    const bool replaced = !changed && (m_bInPlace ? CommitInPlace() : Replace());
    if (lock >= 0)
        CloseQuietly(lock);
    if (changed)
        return CommitResult::kChanged;
    return replaced ? CommitResult::kDone : CommitResult::kFailed;
}

bool CTextFileWriter::Replace()
{
    m_written = FileIdentityOfDescriptor(m_fd);
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0)
        return Fail(errno);
    if (rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return Fail(errno);
    m_temporary.clear();
    m_bCompleted = false;
    SyncFolder(FolderOf(m_target));
    return true;
}

bool CTextFileWriter::CommitInPlace()
{
    const int target = open(m_target.c_str(), O_WRONLY | O_CLOEXEC);
    if (target < 0)
        return Fail(errno);
    auto failed = [this, target] {
        const int error = errno;
        close(target);
        return Fail(error);
    };
    // Room first where the file system reserves it, so that a full disk
    // stops the write before the file changes.
    if (m_nBytes > 0 && fallocate(target, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(m_nBytes)) != 0 &&
        (errno == ENOSPC || errno == EDQUOT))
        return failed();
    m_bPartlyWritten = true;
    std::string piece(kChunk, '\0');
    for (off_t done = 0; static_cast<uint64_t>(done) < m_nBytes;) {
        const ssize_t got = pread(m_fd, piece.data(), piece.size(), done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO;  // the temporary file lost its end
            return failed();
        }
        for (ssize_t put = 0; put < got;) {
            const ssize_t wrote = pwrite(target, piece.data() + put, static_cast<size_t>(got - put), done + put);
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote < 0)
                return failed();
            put += wrote;
        }
        done += got;
    }
    if (ftruncate(target, static_cast<off_t>(m_nBytes)) != 0 || fsync(target) != 0)
        return failed();
    m_written = FileIdentityOfDescriptor(target);
    if (close(target) != 0)
        return Fail(errno);
    m_bPartlyWritten = false;
    Abandon();
    return true;
}

void CTextFileWriter::Abandon()
{
    if (m_fd >= 0) {
        CloseQuietly(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        const int saved = errno;
        unlink(m_temporary.c_str());
        errno = saved;
        m_temporary.clear();
    }
    m_buffer.clear();
    m_nBytes = 0;
    m_bCompleted = false;
}

bool CTextFileWriter::RefuseInPlace()
{
    return Fail(EPERM, "the file belongs to another user or group, which its replacement cannot be given");
}

std::string CTextFileWriter::Reason() const
{
    if (m_nTooLargeBytes)
        return "the new file would be too large to be opened again: " + TooLargeReason(m_nTooLargeBytes);
    return m_pszRefusal ? m_pszRefusal : std::strerror(m_nError);
}

bool CTextFileWriter::Fail(int error, const char* refusal)
{
    Abandon();
    m_nError = error;
    m_pszRefusal = refusal;
    return false;
}

bool CTextFileWriter::Flush()
{
    size_t done = 0;
    while (done < m_buffer.size()) {
        const ssize_t put = write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        done += static_cast<size_t>(put);
    }
    m_buffer.clear();
    return true;
}

bool WriteTextFile(const char* path, const char* text, size_t length, int* error)
{
    CTextFileWriter writer;
    const bool written = writer.Begin(path) && writer.Write(text, length) && writer.Commit();
    if (!written && error)
        *error = writer.Error();
    return written;
}
