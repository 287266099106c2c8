#include "pattern/regex_registry.h"

#include <atomic>
#include <mutex>

namespace {

// A registry of user matchers. Entries are written once, in place, and
// never move, so that a call on any thread reads them without a lock while
// another thread registers one (registering takes the lock).
template <class Matcher>
class CRegistry {
public:
    // Registries hold a few entries (the editor registers one); more than
    // this is an internal error.
    static constexpr uint32_t kCapacity = 64;

    uint32_t Add(Matcher matcher)
    {
        const std::lock_guard hold(m_lock);
        const uint32_t n = m_nCount.load(std::memory_order_relaxed);
        if (n == kCapacity)
            throw static_cast<int32_t>(0);
        m_entries[n].store(matcher, std::memory_order_relaxed);
        m_nCount.store(n + 1, std::memory_order_release);
        return n;
    }

    void Clear()
    {
        const std::lock_guard hold(m_lock);
        m_nCount.store(0, std::memory_order_release);
    }

    Matcher Entry(uint32_t n) const
    {
        return n < m_nCount.load(std::memory_order_acquire) ? m_entries[n].load(std::memory_order_relaxed) : nullptr;
    }

private:
    std::atomic<Matcher> m_entries[kCapacity] = {};
    std::atomic<uint32_t> m_nCount{0};
    std::mutex m_lock;
};

constinit CRegistry<StrRegexLowerMatcher> g_lower;
constinit CRegistry<StrRegexUpperMatcher> g_upper;

}  // namespace

uint32_t StrRegexRegisterLower(StrRegexLowerMatcher matcher) { return g_lower.Add(matcher); }

uint32_t StrRegexRegisterUpper(StrRegexUpperMatcher matcher) { return g_upper.Add(matcher); }

void StrRegexClearUserMatchers()
{
    g_lower.Clear();
    g_upper.Clear();
}

StrRegexLowerMatcher StrRegexLowerEntry(uint32_t n) { return g_lower.Entry(n); }

StrRegexUpperMatcher StrRegexUpperEntry(uint32_t n) { return g_upper.Entry(n); }
