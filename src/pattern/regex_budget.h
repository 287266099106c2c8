// Limits for one call of the pattern engine on a pattern that comes from the
// user (find and replace, rule files). Such a pattern can ask for
// astronomical work ("%*0j" several times in a row over a long text) or
// memory ("%99999999T" appends that many captures); under a budget the call
// stops instead and says why. The system's own patterns run without one.
#pragma once

#include <atomic>
#include <cstdint>

// Defaults for user patterns. A step is one attempt to match an element
// once, or 64 bytes of text compared or copied. The patterns of the system
// and ordinary searches take at most about 3 steps a byte, under 50 million
// for a 16 MB data file; a billion steps (5 to 20 seconds of work) leave
// twenty times that room. The bytes count what the call holds for captures,
// match history, hits, the backtracking positions of "*" elements and the
// replacement texts it inserts.
inline constexpr uint64_t kStrRegexDefaultSteps = 1'000'000'000;
inline constexpr uint64_t kStrRegexDefaultBytes = 256ull << 20;

// What the entry points return when their budget stopped them. Such a call
// leaves no result behind: the subject is unchanged, the capture list and
// the hit list are empty, and the history is as it was before the call.
inline constexpr int32_t kStrRegexStopped = -1;

enum class StrRegexStop : uint8_t {
    kNone,       // the call ran to its end
    kSteps,      // it needed more than maxSteps steps
    kMemory,     // it needed more than maxBytes bytes
    kCancelled,  // the cancel flag was set while it ran
};

// A budget serves one call or a whole run of calls (every element of one
// find or replace): each call goes on from the steps the calls before it
// took, so that the limits hold for the run, and a call after one that ran
// out stops at its first step.
struct CStrRegexBudget {
    uint64_t maxSteps = kStrRegexDefaultSteps;
    uint64_t maxBytes = kStrRegexDefaultBytes;
    // Looked at every few thousand steps; the call stops once it is true.
    const std::atomic<bool>* cancel = nullptr;
    // Bytes the caller keeps of the results of earlier calls (the replaced
    // texts a run holds until its end): every later call counts them as
    // held before it holds anything of its own.
    uint64_t kept = 0;

    // Set by the calls.
    StrRegexStop stop = StrRegexStop::kNone;
    uint64_t steps = 0;  // steps taken by all calls so far
    uint64_t bytes = 0;  // the most bytes held at one time, kept ones included
};
