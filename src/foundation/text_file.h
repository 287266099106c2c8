// Text files: CR LF on disk, LF in memory.
//
// Every file of the system (data files, the settings file, rule files) keeps
// its lines in CR LF on disk, while the texts in memory end their lines in a
// single LF. Reading turns each CR LF into LF and leaves a lone CR as it is;
// writing turns each LF into CR LF. The byte 0x1A is an ordinary byte: it
// never ends a file early.
//
// A text in memory ends at its first zero byte, so a file that holds a zero
// byte cannot be kept by a text: reading reports such a file instead of
// cutting it, and callers refuse it. No file larger than LargestFileBytes()
// is read; devices and pipes, which announce no size, are read up to it.
//
// A file is replaced safely: the new content goes to a temporary file in the
// same folder, which is flushed to disk and then renamed over the target. A
// failure at any step removes the temporary file and leaves the previous file
// as it was. Only a regular file that the user may write is replaced, and no
// file is written that would be too large to be read again. The temporary
// files are named ".tavaro-save-<pid>-<n>"; one that a killed process left
// is removed by the next write into its folder.
//
// Paths are native paths (foundation/native_path.h). Failures keep the
// system's error number (errno) for messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "foundation/file_identity.h"
#include "foundation/str_base.h"

// Turns each CR LF of the `size` bytes at `data` into LF, in place; a lone
// CR stays. Returns the new size.
size_t CollapseCrLf(char* data, size_t size);
inline void CollapseCrLf(std::string& bytes) { bytes.resize(CollapseCrLf(bytes.data(), bytes.size())); }

// Appends `length` bytes of `text` to `out`, each LF written as CR LF.
void AppendWithCrLf(std::string& out, const char* text, size_t length);

// The largest file the program reads. An opened document takes about ten
// times its file in memory, so this keeps the largest project within a few
// gigabytes; the game's data files stay far below it.
constexpr uint64_t kLargestFileBytes = uint64_t{256} << 20;  // 256 MiB

// The limit that holds for reading and writing: kLargestFileBytes, unless a
// test lowered it.
uint64_t LargestFileBytes();
// Lowers the limit to `bytes` (kLargestFileBytes at most) for the whole
// process, so that tests need no files of hundreds of megabytes.
void SetLargestFileBytes(uint64_t bytes);

enum class TextFileStatus {
    kOk,
    kFailed,        // the file could not be read; the error number tells why
    kHasZeroByte,   // the file holds a zero byte, which no text can keep
    kTooLarge,      // the file holds more than LargestFileBytes()
};

// The buffer a whole file is read into: `resize` makes it `size` bytes long,
// keeping the bytes it held, and returns them.
using FileBufferResize = char* (*)(void* buffer, size_t size);

// Reads the whole file at `path` into `buffer` as it is, straight from the
// system into the buffer's bytes, and sets `length` to the bytes read; the
// buffer may be longer. On kFailed `*error` (when given) holds the error
// number; on kTooLarge `*size` (when given) holds the file's size, or 0
// where it is not known (a device or a pipe, a file that grew while it was
// read). A regular file larger than the limit is refused before it is
// read. On anything but kOk the buffer holds no defined text.
TextFileStatus ReadFileInto(const char* path, void* buffer, FileBufferResize resize, size_t& length,
                            int* error = nullptr, uint64_t* size = nullptr);

// Reads the whole file at `path` into `bytes` as it is, as ReadFileInto
// reads it; the text may hold zero bytes. On anything but kOk `bytes` is
// left as it was.
template <unsigned N>
TextFileStatus ReadWholeFile(const char* path, CStr_base<N>& bytes, int* error = nullptr, uint64_t* size = nullptr)
{
    CStr_base<N> read;
    size_t length = 0;
    const FileBufferResize resize = [](void* buffer, size_t n) {
        return static_cast<CStr_base<N>*>(buffer)->GetBufferSetLength(static_cast<uint32_t>(n));
    };
    const TextFileStatus status = ReadFileInto(path, &read, resize, length, error, size);
    if (status == TextFileStatus::kOk) {
        read.Truncate(static_cast<uint32_t>(length));
        bytes.Swap(read);
    }
    return status;
}

// The reason of kTooLarge for messages: "N bytes, more than the L bytes a
// file may have", or without the size where it is not known (0).
std::string TooLargeReason(uint64_t size);

// Reads the whole file at `path` into `text` with CR LF turned into LF, as
// ReadFileInto reads it. On anything but kOk `text` is left as it was.
TextFileStatus ReadTextFileBytes(const char* path, std::string& text, int* error = nullptr,
                                 uint64_t* size = nullptr);

// The same into a string: the file comes once into the string's buffer and
// its line ends are turned there.
template <unsigned N>
TextFileStatus ReadTextFile(const char* path, CStr_base<N>& text, int* error = nullptr, uint64_t* size = nullptr)
{
    CStr_base<N> read;
    TextFileStatus status = ReadWholeFile(path, read, error, size);
    if (status != TextFileStatus::kOk)
        return status;
    char* bytes = read.GetBufferSetLength(read.GetLength());
    if (std::memchr(bytes, 0, read.GetLength()))
        return TextFileStatus::kHasZeroByte;
    read.Truncate(static_cast<uint32_t>(CollapseCrLf(bytes, read.GetLength())));
    text.Swap(read);
    return status;
}

// Writes a file safely, in pieces: Begin creates the temporary file beside
// the target, Write adds text (each LF as CR LF), Complete puts the whole
// content on disk there, Commit (which completes first where that was not
// done) puts the file in place. After the first failure every later call
// fails too and Error() tells the error number and Reason() why, for
// messages. A writer destroyed or abandoned before Commit removes its
// temporary file; the target is then untouched.
//
// A content of more than LargestFileBytes() on disk could not be read again:
// Complete refuses it with EFBIG and a reason that names its whole size,
// which the writer goes on counting, without writing, once it passed the
// limit.
//
// When the target is a symbolic link, the file it points at is replaced. A
// replaced file keeps its permission bits, owner and group; a new one gets
// the bits that the process's file-creation mask allows.
//
// Begin refuses a target that it must not replace: anything but a regular
// file (a directory: EISDIR; a device, a pipe or a socket: EINVAL), a file
// with no write permission bit at all (EACCES, even for the superuser, who
// may otherwise write anything: such a file is read-only on purpose), a file
// the user may not write (the error of access(2) with W_OK), and a file of
// another owner or group whose replacement could not be given them (EPERM)
// -- unless the caller allows writing in place. Such a file is then written
// over where it stands (InPlace()), so that its owner, group, permissions
// and links stay: Commit copies the completed temporary file into it and
// cuts it to length. That is not safe as a replacement is: a failure part
// way leaves the file partly written (PartlyWritten()), so the caller keeps
// a copy of the file first (never a second link, which would be written
// over with it).
class CTextFileWriter {
public:
    CTextFileWriter() = default;
    CTextFileWriter(const CTextFileWriter&) = delete;
    CTextFileWriter& operator=(const CTextFileWriter&) = delete;
    ~CTextFileWriter() { Abandon(); }

    bool Begin(const char* path, bool mayWriteInPlace = false);
    bool Write(const char* text, size_t length);
    template <unsigned N>
    bool Write(const CStr_base<N>& text) { return Write(text.GetBuffer(), text.GetLength()); }
    bool Complete();
    bool Commit();
    // Commit, but only while the target still is the file `expected`
    // describes, or is gone (foundation/file_identity.h): the target is
    // looked at just before it is replaced, under an exclusive lock
    // (flock(2)) of the file that stands there, which every such commit
    // takes, so that of two writers that read the same file only the first
    // replaces it (a lock another program holds is waited for 5 seconds at
    // most). kChanged replaces nothing and leaves the writer as it was:
    // Commit then replaces the file all the same, Abandon gives up.
    enum class CommitResult { kDone, kChanged, kFailed };
    CommitResult CommitUnlessChanged(const CFileIdentity& expected);

    // Stops an unfinished write and removes the temporary file.
    void Abandon();
    // Stops a write in place that the caller cannot make safe (it has no
    // copy of the file): fails as Begin fails without leave to write in
    // place.
    bool RefuseInPlace();

    // Whether Commit writes over the target where it stands.
    bool InPlace() const { return m_bInPlace; }
    // Whether a failed Commit had begun writing over the target in place.
    bool PartlyWritten() const { return m_bPartlyWritten; }

    // After a commit: the identity of the file put in place.
    const CFileIdentity& Written() const { return m_written; }

    int Error() const { return m_nError; }
    // The reason of the failure for messages: what Begin refused, a content
    // too large with its size, or the system's description of the error
    // number.
    std::string Reason() const;

private:
    bool Fail(int error, const char* refusal = nullptr);
    bool Flush();
    bool CommitInPlace();
    // Puts the completed temporary file in place.
    bool Replace();

    std::string m_target;
    std::string m_temporary;
    std::string m_buffer;
    int m_fd = -1;
    uint64_t m_nBytes = 0;         // the content's bytes on disk so far
    uint64_t m_nTooLargeBytes = 0; // the whole size of a content refused as too large
    bool m_bCompleted = false;
    bool m_bInPlace = false;
    bool m_bPartlyWritten = false;
    int m_nError = 0;
    CFileIdentity m_written;
    const char* m_pszRefusal = nullptr;
};

// Replaces the file at `path` with `length` bytes of `text` (each LF as
// CR LF) through a CTextFileWriter. On failure `*error` (when given) holds
// the error number.
bool WriteTextFile(const char* path, const char* text, size_t length, int* error = nullptr);
