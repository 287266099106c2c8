// A cap on the heap's growth, for running out of memory on purpose.
//
// A test cannot make the system run out of memory by limiting the address
// space (the sanitizers reserve far more than they use), so the program's
// own allocations count against a cap that a test arms: every operator new
// of the process (replaced in allocation_cap.cpp) and every string buffer
// (CStr_base allocates through CappedMalloc and CappedRealloc). While the
// cap is armed, an allocation that would take the heap past the cap fails
// as when the system has no memory left: operator new raises
// std::bad_alloc, its nothrow forms and CappedMalloc and CappedRealloc
// return null. The heap is counted from where it stood when the cap was
// armed, in the usable sizes of the blocks: a block freed while the cap is
// armed counts back, also one allocated before, so the cap bounds the
// growth over the arming and memory that the failed work gives back is
// there again for the message that reports it. Blocks of other allocators
// (the C library's own, aligned operator new) do not count.
//
// A cap armed to trip once disarms itself with its first refusal: one
// allocation fails, as a large one does when the system is short of
// memory, and what runs after it (unwinding, the message that reports it)
// gets memory again.
//
// Unarmed, an allocation costs one relaxed load more. The count is shared
// by all threads. Benchmarks arm an unreachable cap to count what a piece
// of work keeps (AllocationGrowth).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace allocation_cap_detail {
extern std::atomic<bool> g_armed;
void* Malloc(size_t size);
void* Realloc(void* block, size_t size);
void Free(void* block);
} // namespace allocation_cap_detail

enum class CAllocationCapKind { kStays, kTripsOnce };

// Lets the heap grow by at most `bytes` from now on; arming again starts
// the count again.
void ArmAllocationCap(size_t bytes, CAllocationCapKind kind = CAllocationCapKind::kStays);
void DisarmAllocationCap();
bool IsAllocationCapArmed();
// What the heap grew since the cap was armed (negative when it shrank).
int64_t AllocationGrowth();

// malloc, realloc and free under the cap. A refused realloc keeps the block
// as it was.
inline void* CappedMalloc(size_t size)
{
    if (!allocation_cap_detail::g_armed.load(std::memory_order_relaxed))
        return std::malloc(size);
    return allocation_cap_detail::Malloc(size);
}
inline void* CappedRealloc(void* block, size_t size)
{
    if (!allocation_cap_detail::g_armed.load(std::memory_order_relaxed))
        return std::realloc(block, size);
    return allocation_cap_detail::Realloc(block, size);
}
inline void CappedFree(void* block)
{
    if (!allocation_cap_detail::g_armed.load(std::memory_order_relaxed))
        std::free(block);
    else
        allocation_cap_detail::Free(block);
}

// Arms the cap for its lifetime.
class CAllocationCapScope {
public:
    explicit CAllocationCapScope(size_t bytes, CAllocationCapKind kind = CAllocationCapKind::kStays)
    {
        ArmAllocationCap(bytes, kind);
    }
    CAllocationCapScope(const CAllocationCapScope&) = delete;
    CAllocationCapScope& operator=(const CAllocationCapScope&) = delete;
    ~CAllocationCapScope() { DisarmAllocationCap(); }
};
