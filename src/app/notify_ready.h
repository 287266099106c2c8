// The main dialog's ready flag (m_bNotifyReady): while it is clear, change
// notifications of page controls do not mark the project modified. A page
// clears it only with a CNotifyQuietScope around the filling of its own
// controls; the scope puts back what it found on every way out, so scopes
// nest and an early return or exception never leaves the flag clear.
#pragma once

class CNotifyReady {
public:
    CNotifyReady() = default;
    CNotifyReady(const CNotifyReady&) = delete;
    CNotifyReady& operator=(const CNotifyReady&) = delete;

    operator bool() const { return m_bReady; }

private:
    friend class CNotifyQuietScope;
    bool m_bReady = true;
};

class CNotifyQuietScope {
public:
    explicit CNotifyQuietScope(CNotifyReady& ready) : m_ready(ready), m_bBefore(ready.m_bReady)
    {
        m_ready.m_bReady = false;
    }
    ~CNotifyQuietScope() { m_ready.m_bReady = m_bBefore; }
    CNotifyQuietScope(const CNotifyQuietScope&) = delete;
    CNotifyQuietScope& operator=(const CNotifyQuietScope&) = delete;

private:
    CNotifyReady& m_ready;
    bool m_bBefore;
};
