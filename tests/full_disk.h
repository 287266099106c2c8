// A full disk for one test: while the object lives, no file grows past
// `bytes` (the file size limit, whose signal is ignored, so that a write
// past it fails with EFBIG). Fill() sets the limit later, at a moment the
// test chooses; both limit and signal come back at the end.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>

class FullDisk {
public:
    FullDisk() : m_handler(std::signal(SIGXFSZ, SIG_IGN)) { getrlimit(RLIMIT_FSIZE, &m_saved); }
    explicit FullDisk(uint64_t bytes) : FullDisk() { Fill(bytes); }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // From now on no file grows past `bytes`; true when the limit took.
    bool Fill(uint64_t bytes) const
    {
        struct rlimit small = m_saved;
        small.rlim_cur = bytes;
        return setrlimit(RLIMIT_FSIZE, &small) == 0;
    }

private:
    struct rlimit m_saved;
    void (*m_handler)(int);
};
