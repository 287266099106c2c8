// The superuser without the right to give files away, for tests of files
// whose owner or group a replacement cannot be given. An ordinary user meets
// such a file when it is in a group the user is not in; only the superuser
// can set one up, and then cannot meet it, having the right to give any
// file to anyone. Dropping that right for the test's thread, once the file
// is set up, meets it.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class WithoutChownRight {
public:
    WithoutChownRight()
    {
        if (geteuid() != 0 || syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[CAP_TO_INDEX(CAP_CHOWN)].effective &= ~CAP_TO_MASK(CAP_CHOWN);
        m_bDropped = syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~WithoutChownRight()
    {
        if (m_bDropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutChownRight(const WithoutChownRight&) = delete;
    WithoutChownRight& operator=(const WithoutChownRight&) = delete;

    // False where the test cannot be set up (not the superuser).
    bool Dropped() const { return m_bDropped; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_bDropped = false;
};
