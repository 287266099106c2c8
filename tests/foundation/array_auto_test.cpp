#include "foundation/array_auto.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

// Appends `n` elements numbered from the current count.
void AppendNumbered(CArrayAuto<int>& a, uint32_t n)
{
    for (uint32_t i = 0; i < n; ++i) {
        int* e = a.Add();
        *e = static_cast<int>(a.GetCount() - 1);
    }
}

std::vector<int> Values(const CArrayAuto<int>& a)
{
    std::vector<int> out;
    for (int v : a)
        out.push_back(v);
    return out;
}

} // namespace

TEST(ArrayAutoGrowth, NewArrayHoldsNothing)
{
    CArrayAuto<int> a;
    EXPECT_EQ(a.GetCount(), 0u);
    EXPECT_EQ(a.GetAllocated(), 0u);
    EXPECT_EQ(a.GetTableCapacity(), 0u);
    EXPECT_EQ(a.GetGrowthStep(), 10u);
    EXPECT_TRUE(a.IsOwning());
    EXPECT_EQ(a.GetLast(), nullptr);
}

TEST(ArrayAutoGrowth, FirstAppendAllocatesOneBlockAndATableForIt)
{
    CArrayAuto<int> a;
    a.Add();
    EXPECT_EQ(a.GetCount(), 1u);
    EXPECT_EQ(a.GetAllocated(), 10u);
    EXPECT_EQ(a.GetTableCapacity(), 10u);
}

TEST(ArrayAutoGrowth, EleventhAppendAllocatesASecondBlockOfTen)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 10);
    EXPECT_EQ(a.GetAllocated(), 10u);
    a.Add();
    EXPECT_EQ(a.GetAllocated(), 20u);
    EXPECT_EQ(a.GetGrowthStep(), 10u);
}

TEST(ArrayAutoGrowth, StepBecomesFiftyAfterThe101stElement)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 100);
    EXPECT_EQ(a.GetAllocated(), 100u);
    EXPECT_EQ(a.GetGrowthStep(), 10u);
    a.Add();
    EXPECT_EQ(a.GetAllocated(), 110u);
    EXPECT_EQ(a.GetGrowthStep(), 50u);
    AppendNumbered(a, 10);
    EXPECT_EQ(a.GetAllocated(), 160u);
}

TEST(ArrayAutoGrowth, SetCountAllocatesTheShortfallInOneBlock)
{
    CArrayAuto<int> a;
    a.SetCount(37);
    EXPECT_EQ(a.GetCount(), 37u);
    EXPECT_EQ(a.GetAllocated(), 37u);
    a.SetCount(5); // never shrinks
    EXPECT_EQ(a.GetCount(), 37u);
}

TEST(ArrayAutoGrowth, TableGrowsGeometricallyKeepingElementsInPlace)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 1);
    int* first = a.GetAt(0);
    AppendNumbered(a, 1000);
    // Blocks: ten of 10, eight of 50, then 250 and 250 reach 1010 slots;
    // the table doubled from 10 to 1280.
    EXPECT_EQ(a.GetAllocated(), 1010u);
    EXPECT_EQ(a.GetTableCapacity(), 1280u);
    EXPECT_EQ(a.GetAt(0), first);
    for (uint32_t i = 0; i < a.GetCount(); ++i)
        ASSERT_EQ(a[i], static_cast<int>(i));
}

TEST(ArrayAutoRemoval, RemovedStorageIsReusedByTheNextAppend)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 3);
    int* e0 = a.GetAt(0);
    int* e1 = a.GetAt(1);
    EXPECT_EQ(a.RemoveAt(0), 2u);
    EXPECT_EQ(Values(a), (std::vector<int>{1, 2}));
    EXPECT_EQ(a.GetAt(0), e1);
    int* again = a.Add();
    EXPECT_EQ(again, e0);
    EXPECT_EQ(*again, 0); // removal does not touch the element
    EXPECT_EQ(a.GetAllocated(), 10u);
}

TEST(ArrayAutoRemoval, RemoveFromTheMiddleKeepsOrder)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 5);
    a.RemoveAt(2);
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1, 3, 4}));
}

TEST(ArrayAutoRemoval, HeadAndTailReturnTheNewCount)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 3);
    EXPECT_EQ(a.RemoveTail(), 2);
    EXPECT_EQ(a.RemoveHead(), 1);
    EXPECT_EQ(Values(a), (std::vector<int>{1}));
    EXPECT_EQ(a.RemoveTail(), 0);
}

TEST(ArrayAutoRemoval, EmptyArrayHeadAndTailReturnMinusOne)
{
    CArrayAuto<int> a;
    EXPECT_EQ(a.RemoveTail(), -1);
    EXPECT_EQ(a.RemoveHead(), -1);
    AppendNumbered(a, 1);
    a.RemoveAll();
    EXPECT_EQ(a.RemoveTail(), -1);
}

TEST(ArrayAutoRemoval, RemoveAllKeepsStorageForReuse)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 4);
    int* e2 = a.GetAt(2);
    a.RemoveAll();
    EXPECT_EQ(a.GetCount(), 0u);
    EXPECT_EQ(a.GetAllocated(), 10u);
    a.SetCount(3);
    EXPECT_EQ(a.GetAt(2), e2);
}

TEST(ArrayAutoErrors, IndexOutOfRangeRaisesTheIndex)
{
    CArrayAuto<int> a;
    try {
        a.GetAt(0);
        FAIL() << "no exception";
    } catch (uint32_t index) {
        EXPECT_EQ(index, 0u);
    }
    AppendNumbered(a, 2);
    EXPECT_THROW(a[2], uint32_t);
    try {
        a.RemoveAt(7);
        FAIL() << "no exception";
    } catch (uint32_t index) {
        EXPECT_EQ(index, 7u);
    }
    try {
        a.Exchange(0, 5);
        FAIL() << "no exception";
    } catch (uint32_t index) {
        EXPECT_EQ(index, 5u);
    }
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1}));
}

namespace {

// An element whose blocks can never be allocated.
struct Unallocatable {
    int value = 0;
    static void* operator new[](size_t, const std::nothrow_t&) noexcept { return nullptr; }
    static void operator delete[](void* p) noexcept { ::operator delete[](p); }
};

} // namespace

TEST(ArrayAutoErrors, StorageExhaustionRaisesANullElementPointer)
{
    CArrayAuto<Unallocatable> a;
    try {
        a.Add();
        FAIL() << "no exception";
    } catch (Unallocatable* p) {
        EXPECT_EQ(p, nullptr);
    }
    EXPECT_EQ(a.GetCount(), 0u);
    EXPECT_EQ(a.GetAllocated(), 0u);
}

TEST(ArrayAutoExchange, SwapsPositionsNotElements)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 3);
    int* e0 = a.GetAt(0);
    int* e2 = a.GetAt(2);
    a.Exchange(0, 2);
    EXPECT_EQ(Values(a), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(a.GetAt(0), e2);
    EXPECT_EQ(a.GetAt(2), e0);
    EXPECT_EQ(*e0, 0);
}

TEST(ArrayAutoIteration, CursorYieldsElementsInOrderThenNull)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 3);
    auto cursor = a.Iterate();
    for (int expected = 0; expected < 3; ++expected) {
        int* e = cursor.Next();
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(*e, expected);
    }
    EXPECT_EQ(cursor.Next(), nullptr);
    EXPECT_EQ(cursor.Position(), 3u);

    CArrayAuto<int> empty;
    EXPECT_EQ(empty.Iterate().Next(), nullptr);
    EXPECT_TRUE(Values(empty).empty());
}

namespace {

struct HookLog {
    std::vector<uint32_t> constructed; // number of slots per call
    std::vector<uint32_t> destructed;
    bool refuse = false;
};

HookLog* g_log;

bool ConstructHook(int** slots, uint32_t count, uint32_t data, CArrayAuto<int>*)
{
    EXPECT_EQ(data, 42u);
    g_log->constructed.push_back(count);
    for (uint32_t i = 0; i < count; ++i)
        *slots[i] = -1;
    return !g_log->refuse;
}

bool DestructHook(int** slots, uint32_t count, uint32_t data, CArrayAuto<int>*)
{
    EXPECT_EQ(data, 42u);
    g_log->destructed.push_back(count);
    for (uint32_t i = 0; i < count; ++i)
        *slots[i] = -2;
    return true;
}

class ArrayAutoHooks : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log = &log;
        a.SetHooks(&ConstructHook, &DestructHook, 42);
    }
    void TearDown() override { g_log = nullptr; }

    HookLog log;
    CArrayAuto<int> a;
};

} // namespace

TEST_F(ArrayAutoHooks, ConstructHookSeesTheNewSlots)
{
    a.SetCount(4);
    a.Add();
    EXPECT_EQ(log.constructed, (std::vector<uint32_t>{4, 1}));
    EXPECT_EQ(a[4], -1);
}

TEST_F(ArrayAutoHooks, RefusingConstructHookRaisesTheRequestedCount)
{
    a.SetCount(2);
    log.refuse = true;
    try {
        a.SetCount(5);
        FAIL() << "no exception";
    } catch (uint32_t n) {
        EXPECT_EQ(n, 5u);
    }
    EXPECT_THROW(a.Add(), uint32_t);
}

TEST_F(ArrayAutoHooks, DestructHookRunsOnRemovedSlots)
{
    a.SetCount(5);
    int* removed = a.GetAt(1);
    a.RemoveAt(1);
    EXPECT_EQ(*removed, -2);
    a.RemoveTail();
    a.RemoveAll(); // the three that are left, at once
    EXPECT_EQ(log.destructed, (std::vector<uint32_t>{1, 1, 3}));
}
