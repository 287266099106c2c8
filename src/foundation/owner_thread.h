// The thread an object belongs to, for objects that one thread changes
// while others at most read them, and only while it waits for them (the
// document: the window thread changes it, the find worker reads it).
//
// Debug and sanitizer builds (TAVARO_THREAD_CHECKS) remember the thread
// that created the object and check every change against it: a change on
// another thread is a programming error, which stops the program with a
// message on standard error. Other builds keep nothing and check nothing;
// the member costs no space there ([[no_unique_address]]).
#pragma once

#ifdef TAVARO_THREAD_CHECKS
#include <thread>
#endif

// What a change on a thread that does not own its object does: writes
// "`what` called on a thread that does not own the object" to standard
// error and aborts, or calls the handler a test put in its place.
void OwnerThreadFault(const char* what);
using COwnerThreadFaultHandler = void (*)(const char* what);
// Puts `handler` (null: the abort) in place; returns the one before.
COwnerThreadFaultHandler SetOwnerThreadFaultHandler(COwnerThreadFaultHandler handler);

class COwnerThread {
public:
#ifdef TAVARO_THREAD_CHECKS
    static constexpr bool kChecked = true;

    COwnerThread() = default;
    // A copy belongs to the thread that makes it; an assignment leaves the
    // owner as it was.
    COwnerThread(const COwnerThread&) {}
    COwnerThread& operator=(const COwnerThread&) { return *this; }

    // `what` names the change in the message.
    void Check(const char* what) const
    {
        if (std::this_thread::get_id() != m_id)
            OwnerThreadFault(what);
    }

private:
    std::thread::id m_id = std::this_thread::get_id();
#else
    static constexpr bool kChecked = false;

    void Check(const char*) const {}
#endif
};
