// Standard output of the tavaro commands.
//
// A command's output may fail to arrive (a full disk, a closed descriptor).
// The commands write through a buffer of their own straight to the
// descriptor, which remembers the first failed write with the system's
// error number, so that the command can end by reporting the failure
// instead of exiting as if it had written everything.
#pragma once

#include <ostream>
#include <streambuf>
#include <string_view>

class CCheckedOutput : public std::streambuf {
public:
    explicit CCheckedOutput(int fd);
    CCheckedOutput(const CCheckedOutput&) = delete;
    CCheckedOutput& operator=(const CCheckedOutput&) = delete;

    // Writes what is buffered; false when any write failed.
    bool Finish();
    // The error number of the first failed write, 0 when none failed.
    int Error() const { return m_nError; }

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    bool Drain();

    int m_fd;
    int m_nError = 0;
    char m_buffer[1 << 14];
};

// Ends a command that wrote to `out`: when its output did not all arrive,
// says so on `err` ("COMMAND: cannot write standard output: REASON") and
// returns EX_IOERR instead of `status`.
int FinishOutput(CCheckedOutput& out, std::ostream& err, std::string_view command, int status);
