// What a call of the engine spends, measured against its budget.
//
// The matcher and the search loops are written once over a meter type:
// CStrRegexFreeMeter, for the system's own patterns, spends nothing and
// compiles away; CStrRegexMeter counts steps and bytes and stops the call by
// raising CStrRegexStopped, which only the entry points catch.
#pragma once

#include <cstdint>

#include "pattern/regex_budget.h"

// What one more capture costs besides its text: the string, its slot in the
// pointer table (which grows by doubling) and its share of the block records;
// and what one more hit costs.
inline constexpr int64_t kStrRegexCaptureBytes = 32;
inline constexpr int64_t kStrRegexHitBytes = 24;

struct CStrRegexStopped {
    StrRegexStop why;
};

class CStrRegexFreeMeter {
public:
    void Spend(uint64_t) {}
    void Charge(int64_t) {}
};

class CStrRegexMeter {
public:
    // Goes on from what the budget's earlier calls spent and what their
    // caller keeps. The first step looks at the cancel flag.
    explicit CStrRegexMeter(CStrRegexBudget& budget)
        : m_budget(budget),
          m_nUsed(budget.steps < budget.maxSteps ? budget.steps : budget.maxSteps),
          m_nBytes(static_cast<int64_t>(budget.kept)),
          m_nPeak(static_cast<int64_t>(budget.bytes > budget.kept ? budget.bytes : budget.kept))
    {
        m_budget.stop = StrRegexStop::kNone;
    }

    // Takes `steps` steps.
    void Spend(uint64_t steps)
    {
        if (steps < m_nTick) {
            m_nTick -= steps;
            return;
        }
        EndSlice(steps);
    }

    // Takes (or, when negative, gives back) `bytes` bytes of memory.
    void Charge(int64_t bytes)
    {
        m_nBytes += bytes;
        if (m_nBytes > m_nPeak) {
            m_nPeak = m_nBytes;
            if (static_cast<uint64_t>(m_nPeak) > m_budget.maxBytes)
                Stop(StrRegexStop::kMemory);
        }
    }

    // Writes the steps taken and the peak bytes into the budget.
    void Report() const
    {
        m_budget.steps = m_nUsed + (m_nSlice - m_nTick);
        m_budget.bytes = static_cast<uint64_t>(m_nPeak);
    }

    [[noreturn]] void Stop(StrRegexStop why)
    {
        m_budget.stop = why;
        Report();
        throw CStrRegexStopped{why};
    }

private:
    // Steps between two looks at the cancel flag.
    static constexpr uint64_t kSlice = 4096;

    void StartSlice()
    {
        const uint64_t left = m_budget.maxSteps - m_nUsed;
        m_nSlice = left < kSlice ? left : kSlice;
        m_nTick = m_nSlice;
    }

    // The slice is used up with `steps` more steps.
    void EndSlice(uint64_t steps)
    {
        const uint64_t used = m_nUsed + (m_nSlice - m_nTick) + steps;
        if (used > m_budget.maxSteps) {
            m_nUsed = m_budget.maxSteps;
            m_nSlice = m_nTick = 0;
            Stop(StrRegexStop::kSteps);
        }
        m_nUsed = used;
        if (m_budget.cancel && m_budget.cancel->load(std::memory_order_relaxed))
            Stop(StrRegexStop::kCancelled);
        StartSlice();
    }

    CStrRegexBudget& m_budget;
    uint64_t m_nUsed = 0;   // steps taken before the current slice
    uint64_t m_nSlice = 0;  // steps in the current slice
    uint64_t m_nTick = 0;   // steps left in it
    int64_t m_nBytes = 0;
    int64_t m_nPeak = 0;
};
