// The main dialog's wait counter raised for the length of one operation and
// lowered on every way out, an exception included.
#pragma once

#include <cstdint>

class CModalWaitScope {
public:
    explicit CModalWaitScope(uint32_t& counter) : m_counter(counter) { ++m_counter; }
    ~CModalWaitScope() { --m_counter; }
    CModalWaitScope(const CModalWaitScope&) = delete;
    CModalWaitScope& operator=(const CModalWaitScope&) = delete;

private:
    uint32_t& m_counter;
};
