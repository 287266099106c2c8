// Self-growing arrays: blocks by growth step, stable elements, recycled
// storage, exchanges, hooks and the raised programming errors.
#include "foundation/array_auto.h"

#include <gtest/gtest.h>

#include <array>
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

// What `call` raises as an index or count.
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

// An element whose blocks can never be allocated.
struct Unallocatable {
    static void* operator new[](size_t, const std::nothrow_t&) noexcept { return nullptr; }
    static void operator delete[](void* p) noexcept { ::operator delete[](p); }
};

struct HookLog {
    std::vector<uint32_t> constructed, destructed;  // slots per call
    bool refuse = false;
} g_log;

bool ConstructHook(int** slots, uint32_t count, uint32_t data, CArrayAuto<int>*)
{
    EXPECT_EQ(data, 42u);
    g_log.constructed.push_back(count);
    for (uint32_t i = 0; i < count; ++i)
        *slots[i] = -1;
    return !g_log.refuse;
}

bool DestructHook(int** slots, uint32_t count, uint32_t, CArrayAuto<int>*)
{
    g_log.destructed.push_back(count);
    for (uint32_t i = 0; i < count; ++i)
        *slots[i] = -2;
    return true;
}

}  // namespace

TEST(ArrayAuto, BlocksGrowByTheGrowthStepAndElementsStayInPlace)
{
    CArrayAuto<int> a;
    EXPECT_EQ(a.GetAllocated() + a.GetTableCapacity(), 0u);
    EXPECT_TRUE(a.IsOwning());
    EXPECT_EQ(a.GetLast(), nullptr);
    // (elements appended, slots allocated, growth step, table capacity):
    // the 11th element opens a second block of 10; the 101st makes 110 > 10
    // * 10 slots, so the step becomes 50; the table doubles from 10.
    const std::array<uint32_t, 4> rows[] = {{1, 10, 10, 10},   {10, 20, 10, 20},   {89, 100, 10, 160},
                                            {1, 110, 50, 160}, {10, 160, 50, 160}, {890, 1010, 250, 1280}};
    int* first = nullptr;
    for (const auto& r : rows) {
        AppendNumbered(a, r[0]);
        first = first ? first : a.GetAt(0);
        EXPECT_EQ((std::array{r[0], a.GetAllocated(), a.GetGrowthStep(), a.GetTableCapacity()}), r);
    }
    EXPECT_EQ(a.GetAt(0), first);
    for (uint32_t i = 0; i < a.GetCount(); ++i)
        ASSERT_EQ(a[i], static_cast<int>(i));
    // Setting the count allocates the shortfall in one block and never shrinks.
    CArrayAuto<int> b;
    b.SetCount(37);
    b.SetCount(5);
    EXPECT_EQ(b.GetCount() + b.GetAllocated(), 74u);
}

TEST(ArrayAuto, RemovedStorageIsReusedAndExchangesMoveSlotsOnly)
{
    CArrayAuto<int> a;
    AppendNumbered(a, 5);
    int* e0 = a.GetAt(0);
    int* e1 = a.GetAt(1);
    EXPECT_EQ(a.RemoveAt(0), 4u);
    EXPECT_EQ(a.GetAt(0), e1);
    EXPECT_EQ(a.Add(), e0);  // the removed element's storage, untouched
    EXPECT_EQ(*e0, 0);
    EXPECT_EQ(a.RemoveAt(2), 4u);  // from the middle, keeping the order
    EXPECT_EQ(Values(a), (std::vector<int>{1, 2, 4, 0}));
    EXPECT_EQ(a.RemoveTail(), 3);
    EXPECT_EQ(a.RemoveHead(), 2);
    EXPECT_EQ(Values(a), (std::vector<int>{2, 4}));
    int* last = a.GetAt(1);
    a.RemoveAll();
    EXPECT_EQ(a.RemoveTail(), -1);
    EXPECT_EQ(a.RemoveHead(), -1);
    a.SetCount(2);
    EXPECT_EQ(a.GetAt(1), last);
    EXPECT_EQ(a.GetAllocated(), 10u);
    a.Exchange(0, 1);
    EXPECT_EQ(a.GetAt(0), last);
    EXPECT_EQ(*last, 4);
    auto cursor = a.Iterate();
    EXPECT_EQ(cursor.Next(), last);
    EXPECT_NE(cursor.Next(), nullptr);
    EXPECT_EQ(cursor.Next(), nullptr);
    EXPECT_EQ(cursor.Position(), 2u);
}

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
    EXPECT_THROW(b.Add(), Unallocatable*);
    EXPECT_EQ(b.GetCount() + b.GetAllocated(), 0u);
    // A refusing construct hook raises the requested count.
    CArrayAuto<int> c;
    c.SetHooks(&ConstructHook, &DestructHook, 42);
    g_log.refuse = true;
    EXPECT_EQ(Raised([&] { c.SetCount(5); }), 5u);
    EXPECT_THROW(c.Add(), uint32_t);
    g_log = HookLog{};
}

TEST(ArrayAuto, HooksSeeTheSlotsTheyConcern)
{
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
}
