#include "foundation/allocation_cap.h"

#include <malloc.h>

#include <new>

namespace allocation_cap_detail {

std::atomic<bool> g_armed{false};

namespace {

std::atomic<int64_t> g_growth{0};
std::atomic<int64_t> g_cap{0};
std::atomic<bool> g_tripsOnce{false};

int64_t UsableSize(void* block) { return block ? static_cast<int64_t>(malloc_usable_size(block)) : 0; }

// Whether `more` bytes may be added to the heap; a cap that trips once
// disarms itself when it refuses.
bool Allows(int64_t more)
{
    if (g_growth.load(std::memory_order_relaxed) + more <= g_cap.load(std::memory_order_relaxed))
        return true;
    if (g_tripsOnce.load(std::memory_order_relaxed))
        g_armed.store(false, std::memory_order_relaxed);
    return false;
}

} // namespace

void* Malloc(size_t size)
{
    if (size > static_cast<size_t>(INT64_MAX) || !Allows(static_cast<int64_t>(size)))
        return nullptr;
    void* block = std::malloc(size);
    g_growth.fetch_add(UsableSize(block), std::memory_order_relaxed);
    return block;
}

void* Realloc(void* block, size_t size)
{
    const int64_t old = UsableSize(block);
    if (size > static_cast<size_t>(INT64_MAX) || !Allows(static_cast<int64_t>(size) - old))
        return nullptr;
    void* grown = std::realloc(block, size);
    if (grown)
        g_growth.fetch_add(UsableSize(grown) - old, std::memory_order_relaxed);
    return grown;
}

void Free(void* block)
{
    g_growth.fetch_sub(UsableSize(block), std::memory_order_relaxed);
    std::free(block);
}

} // namespace allocation_cap_detail

using namespace allocation_cap_detail;

void ArmAllocationCap(size_t bytes, CAllocationCapKind kind)
{
    g_tripsOnce.store(kind == CAllocationCapKind::kTripsOnce, std::memory_order_relaxed);
    g_growth.store(0, std::memory_order_relaxed);
    g_cap.store(bytes > static_cast<size_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(bytes),
                std::memory_order_relaxed);
    g_armed.store(true, std::memory_order_relaxed);
}

void DisarmAllocationCap() { g_armed.store(false, std::memory_order_relaxed); }

bool IsAllocationCapArmed() { return g_armed.load(std::memory_order_relaxed); }

int64_t AllocationGrowth() { return g_growth.load(std::memory_order_relaxed); }

// The replaceable allocation functions of the whole process (aligned forms
// aside), so that the cap sees every operator new. They behave as the
// standard ones: a size of 0 gets a block of its own, a failure calls the
// new-handler while one is set. A ThreadSanitizer build (TAVARO_RUNTIME_NEW)
// keeps the sanitizer's own.

#ifndef TAVARO_RUNTIME_NEW

namespace {

void* AllocateOrNull(size_t size)
{
    if (size == 0)
        size = 1;
    for (;;) {
        if (void* block = CappedMalloc(size))
            return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            return nullptr;
        handler();
    }
}

void* Allocate(size_t size)
{
    void* block = AllocateOrNull(size);
    if (!block)
        throw std::bad_alloc();
    return block;
}

void* AllocateNoThrow(size_t size) noexcept
{
    try {
        return AllocateOrNull(size);
    } catch (...) {
        return nullptr; // a new-handler raised
    }
}

} // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void operator delete(void* block) noexcept { CappedFree(block); }
void operator delete[](void* block) noexcept { CappedFree(block); }
void operator delete(void* block, size_t) noexcept { CappedFree(block); }
void operator delete[](void* block, size_t) noexcept { CappedFree(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { CappedFree(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { CappedFree(block); }

#endif // TAVARO_RUNTIME_NEW
