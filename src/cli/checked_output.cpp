#include "cli/checked_output.h"

#include <sysexits.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

CCheckedOutput::CCheckedOutput(int fd) : m_fd(fd) { setp(m_buffer, m_buffer + sizeof m_buffer); }

bool CCheckedOutput::Drain()
{
    const char* data = pbase();
    const char* end = pptr();
    while (data < end && m_nError == 0) {
        const ssize_t put = write(m_fd, data, static_cast<size_t>(end - data));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            m_nError = errno;
        else
            data += put;
    }
    // After a failure the rest is dropped: nothing more can arrive whole.
    setp(m_buffer, m_buffer + sizeof m_buffer);
    return m_nError == 0;
}

CCheckedOutput::int_type CCheckedOutput::overflow(int_type ch)
{
    if (!Drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof()))
        sputc(traits_type::to_char_type(ch));
    return traits_type::not_eof(ch);
}

int CCheckedOutput::sync() { return Drain() ? 0 : -1; }

bool CCheckedOutput::Finish() { return Drain(); }

int FinishOutput(CCheckedOutput& out, std::ostream& err, std::string_view command, int status)
{
    if (out.Finish())
        return status;
    err << command << ": cannot write standard output: " << std::strerror(out.Error()) << "\n";
    return EX_IOERR;
}
