// The allocation cap: what fails under it, what counts back, and what a
// failure leaves; and which raises count as running out of memory.
#include "foundation/allocation_cap.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>

#include "foundation/out_of_memory.h"
#include "foundation/str_array.h"
#include "foundation/str_base.h"

namespace {

constexpr size_t kCap = 64 * 1024;

// Where allocations go, so that the compiler keeps them.
void* volatile g_sink;

void* Keep(void* block)
{
    g_sink = block;
    return block;
}

void NewArray(size_t size) { delete[] static_cast<char*>(Keep(new char[size])); }

} // namespace

TEST(AllocationCap, EveryAllocatorFailsPastTheCapAndWorksBelowIt)
{
    const CAllocationCapScope cap(kCap);
    EXPECT_TRUE(IsAllocationCapArmed());
    EXPECT_THROW(NewArray(kCap + 1), std::bad_alloc);
    EXPECT_THROW(::operator delete(Keep(::operator new(kCap + 1))), std::bad_alloc);
    EXPECT_EQ(Keep(new (std::nothrow) char[kCap + 1]), nullptr);
    EXPECT_EQ(CappedMalloc(kCap + 1), nullptr);
    EXPECT_THROW(Keep(std::string(kCap + 1, 'x').data()), std::bad_alloc);
    // Below the cap everything is given, and what was freed counts back.
    for (int round = 0; round < 3; ++round) {
        auto block = std::make_unique<char[]>(kCap / 2);
        Keep(block.get());
        void* more = CappedMalloc(kCap / 4);
        ASSERT_NE(more, nullptr);
        EXPECT_GE(AllocationGrowth(), static_cast<int64_t>(kCap / 2 + kCap / 4));
        CappedFree(more);
    }
    EXPECT_LT(AllocationGrowth(), 1024);
}

TEST(AllocationCap, ARefusedReallocKeepsTheBlock)
{
    const CAllocationCapScope cap(kCap);
    char* block = static_cast<char*>(CappedMalloc(16));
    ASSERT_NE(block, nullptr);
    block[0] = 'k';
    EXPECT_EQ(CappedRealloc(block, kCap * 2), nullptr);
    EXPECT_EQ(block[0], 'k');
    char* grown = static_cast<char*>(CappedRealloc(block, kCap / 2));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(grown[0], 'k');
    CappedFree(grown);
}

TEST(AllocationCap, ACapThatTripsOnceRefusesOneAllocation)
{
    const CAllocationCapScope cap(kCap, CAllocationCapKind::kTripsOnce);
    auto below = std::make_unique<char[]>(kCap / 2);
    Keep(below.get());
    EXPECT_TRUE(IsAllocationCapArmed());
    EXPECT_EQ(CappedMalloc(kCap), nullptr);
    EXPECT_FALSE(IsAllocationCapArmed());
    auto after = std::make_unique<char[]>(kCap * 2);
    Keep(after.get());
}

TEST(AllocationCap, DisarmedNothingIsCountedOrRefused)
{
    {
        const CAllocationCapScope cap(16);
        EXPECT_THROW(NewArray(100), std::bad_alloc);
    }
    EXPECT_FALSE(IsAllocationCapArmed());
    const std::string large(kCap * 4, 'x');
    // Arming again counts from there.
    const CAllocationCapScope cap(kCap);
    EXPECT_EQ(AllocationGrowth(), 0);
}

// A string that cannot grow raises and keeps its text; arrays raise the
// null element pointer of the foundation and keep their elements.
TEST(AllocationCap, StringsAndArraysThatCannotGrowStayAsTheyWere)
{
    CStr_base<64> text("kept text of some length");
    CStrArray_base<64> lines;
    lines.Add()->Assign("first");
    const std::string longer(kCap * 2, 'x');
    const CAllocationCapScope cap(kCap);
    EXPECT_THROW(text.Assign(longer.c_str()), std::bad_alloc);
    EXPECT_STREQ(text.GetBuffer(), "kept text of some length");
    EXPECT_THROW(text.Append(longer.c_str()), std::bad_alloc);
    EXPECT_STREQ(text.GetBuffer(), "kept text of some length");
    try {
        lines.SetCount(static_cast<uint32_t>(kCap));
        ADD_FAILURE() << "no exception";
    } catch (CStr_base<64>* raised) {
        EXPECT_EQ(raised, nullptr);
    }
    ASSERT_EQ(lines.GetCount(), 1u);
    EXPECT_STREQ(lines[0].GetBuffer(), "first");
}

TEST(OutOfMemory, OnlyTheRaisesOfExhaustedStorageCount)
{
    struct Row {
        const char* what;
        void (*raise)();
        bool outOfMemory;
    };
    static int element;
    const Row rows[] = {
        {"bad_alloc", [] { throw std::bad_alloc(); }, true},
        {"bad_array_new_length", [] { throw std::bad_array_new_length(); }, true},
        {"null element pointer", [] { throw static_cast<CStr_base<64>*>(nullptr); }, true},
        {"null const element pointer", [] { throw static_cast<const int*>(nullptr); }, true},
        {"an element pointer", [] { throw &element; }, false},
        {"an index", [] { throw static_cast<uint32_t>(0); }, false},
        {"a key text", [] { throw "key"; }, false},
        {"an internal error", [] { throw static_cast<int32_t>(0); }, false},
        {"a standard error", [] { throw std::runtime_error("x"); }, false},
    };
    for (const Row& row : rows) {
        bool outOfMemory = false;
        try {
            row.raise();
        } catch (...) {
            outOfMemory = IsOutOfMemory();
        }
        EXPECT_EQ(outOfMemory, row.outOfMemory) << row.what;
    }
}
