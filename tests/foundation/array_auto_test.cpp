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

// Raises what `call` raises as an index or count, or fails.
template <class Call>
uint32_t Raised(Call call)
{
    try {
        call();
    } catch (uint32_t value) {
        return value;
    }
    ADD_FAILURE() << "no exception";
    return 0;
}

} // namespace

TEST(ArrayAuto, BlocksGrowByTheGrowthStep)
{
    CArrayAuto<int> a;
    EXPECT_EQ(a.GetAllocated(), 0u);
    EXPECT_EQ(a.GetTableCapacity(), 0u);
    EXPECT_EQ(a.GetGrowthStep(), 10u);
    EXPECT_TRUE(a.IsOwning());
    EXPECT_EQ(a.GetLast(), nullptr);
    AppendNumbered(a, 1);
    EXPECT_EQ(a.GetAllocated(), 10u);
    EXPECT_EQ(a.GetTableCapacity(), 10u);
    int* first = a.GetAt(0);
    // The 11th element opens a second block of 10; after the 101st (110 >
    // 10 * 10) the step is 50.
    AppendNumbered(a, 10);
    EXPECT_EQ(a.GetAllocated(), 20u);
    AppendNumbered(a, 89);
    EXPECT_EQ(a.GetAllocated(), 100u);
    EXPECT_EQ(a.GetGrowthStep(), 10u);
    AppendNumbered(a, 1);
    EXPECT_EQ(a.GetAllocated(), 110u);
    EXPECT_EQ(a.GetGrowthStep(), 50u);
    AppendNumbered(a, 10);
    EXPECT_EQ(a.GetAllocated(), 160u);
    // Then 250 and 250 reach 1010 slots; the table doubled from 10 to 1280;
    // no element moved.
    AppendNumbered(a, 890);
    EXPECT_EQ(a.GetAllocated(), 1010u);
    EXPECT_EQ(a.GetTableCapacity(), 1280u);
    EXPECT_EQ(a.GetAt(0), first);
    for (uint32_t i = 0; i < a.GetCount(); ++i)
        ASSERT_EQ(a[i], static_cast<int>(i));

    // Setting the count allocates the shortfall in one block and never shrinks.
    CArrayAuto<int> b;
    b.SetCount(37);
    EXPECT_EQ(b.GetCount(), 37u);
    EXPECT_EQ(b.GetAllocated(), 37u);
    b.SetCount(5);
    EXPECT_EQ(b.GetCount(), 37u);
}

TEST(ArrayAuto, RemovedStorageIsReused)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 5);
    int* e0 = a.GetAt(0);
    int* e1 = a.GetAt(1);
    EXPECT_EQ(a.RemoveAt(0), 4u);
    EXPECT_EQ(a.GetAt(0), e1);
    EXPECT_EQ(a.Add(), e0);  // the removed element's storage,
    EXPECT_EQ(*e0, 0);       // untouched by the removal
    EXPECT_EQ(a.GetAllocated(), 10u);
    EXPECT_EQ(a.RemoveAt(2), 4u);  // from the middle, keeping the order
    EXPECT_EQ(Values(a), (std::vector<int>{1, 2, 4, 0}));
    // Head and tail removal return the new count, -1 on an empty array.
    EXPECT_EQ(a.RemoveTail(), 3);
    EXPECT_EQ(a.RemoveHead(), 2);
    EXPECT_EQ(Values(a), (std::vector<int>{2, 4}));
    int* last = a.GetAt(1);
    a.RemoveAll();
    EXPECT_EQ(a.GetCount(), 0u);
    EXPECT_EQ(a.RemoveTail(), -1);
    EXPECT_EQ(a.RemoveHead(), -1);
    a.SetCount(2);
    EXPECT_EQ(a.GetAt(1), last);
    EXPECT_EQ(a.GetAllocated(), 10u);
}

TEST(ArrayAuto, ExchangeSwapsPositionsAndIterationFollowsThem)
{
    CArrayAuto<int> a;
    EXPECT_EQ(a.Iterate().Next(), nullptr);
    AppendNumbered(a, 3);
    int* e0 = a.GetAt(0);
    int* e2 = a.GetAt(2);
    a.Exchange(0, 2);
    EXPECT_EQ(a.GetAt(0), e2);
    EXPECT_EQ(a.GetAt(2), e0);
    EXPECT_EQ(*e0, 0);
    auto cursor = a.Iterate();
    for (int expected : {2, 1, 0}) {
        int* e = cursor.Next();
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(*e, expected);
    }
    EXPECT_EQ(cursor.Next(), nullptr);
    EXPECT_EQ(cursor.Position(), 3u);
}

namespace {

// An element whose blocks can never be allocated.
struct Unallocatable {
    int value = 0;
    static void* operator new[](size_t, const std::nothrow_t&) noexcept { return nullptr; }
    static void operator delete[](void* p) noexcept { ::operator delete[](p); }
};

} // namespace

TEST(ArrayAuto, ProgrammingErrorsRaise)
{
    // An index out of range raises the index.
    CArrayAuto<int> a;
    EXPECT_EQ(Raised([&] { a.GetAt(0); }), 0u);
    AppendNumbered(a, 2);
    EXPECT_EQ(Raised([&] { (void)a[2]; }), 2u);
    EXPECT_EQ(Raised([&] { a.RemoveAt(7); }), 7u);
    EXPECT_EQ(Raised([&] { a.Exchange(0, 5); }), 5u);
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1}));
    // Storage exhaustion raises a null element pointer and keeps nothing.
    CArrayAuto<Unallocatable> b;
    try {
        b.Add();
        ADD_FAILURE() << "no exception";
    } catch (Unallocatable* p) {
        EXPECT_EQ(p, nullptr);
    }
    EXPECT_EQ(b.GetCount(), 0u);
    EXPECT_EQ(b.GetAllocated(), 0u);
}

namespace {

struct HookLog {
    std::vector<uint32_t> constructed; // number of slots per call
    std::vector<uint32_t> destructed;
    bool refuse = false;
};

HookLog g_log;

bool ConstructHook(int** slots, uint32_t count, uint32_t data, CArrayAuto<int>*)
{
    EXPECT_EQ(data, 42u);
    g_log.constructed.push_back(count);
    for (uint32_t i = 0; i < count; ++i)
        *slots[i] = -1;
    return !g_log.refuse;
}

bool DestructHook(int** slots, uint32_t count, uint32_t data, CArrayAuto<int>*)
{
    EXPECT_EQ(data, 42u);
    g_log.destructed.push_back(count);
    for (uint32_t i = 0; i < count; ++i)
        *slots[i] = -2;
    return true;
}

} // namespace

TEST(ArrayAuto, HooksSeeTheSlotsTheyConcern)
{
    g_log = HookLog{};
    CArrayAuto<int> a;
    a.SetHooks(&ConstructHook, &DestructHook, 42);
    a.SetCount(4);
    a.Add();
    EXPECT_EQ(g_log.constructed, (std::vector<uint32_t>{4, 1}));
    EXPECT_EQ(a[4], -1);
    int* removed = a.GetAt(1);
    a.RemoveAt(1);
    EXPECT_EQ(*removed, -2);
    a.RemoveTail();
    a.RemoveAll();  // the three that are left, at once
    EXPECT_EQ(g_log.destructed, (std::vector<uint32_t>{1, 1, 3}));
    // A refusing construct hook raises the requested count.
    g_log.refuse = true;
    EXPECT_EQ(Raised([&] { a.SetCount(5); }), 5u);
    EXPECT_THROW(a.Add(), uint32_t);
}
