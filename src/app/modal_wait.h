// The main dialog's wait counter (m_nModalWait): non-zero while an operation
// waits for an answer in a modal dialog or message box, so that the modeless
// windows refuse what would disturb the document meanwhile. It is raised
// only by a CModalWaitScope, for the length of one operation, and lowered
// again on every way out, an exception included.
#pragma once

#include <cstdint>

class CModalWait {
public:
    CModalWait() = default;
    CModalWait(const CModalWait&) = delete;
    CModalWait& operator=(const CModalWait&) = delete;

    operator uint32_t() const { return m_nCount; }
    bool IsWaiting() const { return m_nCount != 0; }

private:
    friend class CModalWaitScope;
    uint32_t m_nCount = 0;
};

class CModalWaitScope {
public:
    explicit CModalWaitScope(CModalWait& wait) : m_wait(wait) { ++m_wait.m_nCount; }
    ~CModalWaitScope() { --m_wait.m_nCount; }
    CModalWaitScope(const CModalWaitScope&) = delete;
    CModalWaitScope& operator=(const CModalWaitScope&) = delete;

private:
    CModalWait& m_wait;
};
