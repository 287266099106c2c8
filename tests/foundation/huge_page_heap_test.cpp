// The C library's tunables for a restart with huge pages on the heap, and
// the user's own value given back after it.
#include "foundation/huge_page_heap.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(HugePageHeap, TheTunableIsAddedOnceAndTakenOutAgain)
{
    struct Row {
        const char* given;                  // null: unset
        std::optional<std::string> restart; // nothing: no restart
    };
    const Row rows[] = {
        {nullptr, "glibc.malloc.hugetlb=1"},
        {"", "glibc.malloc.hugetlb=1"},
        {"glibc.malloc.arena_max=2", "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"},
        // The user's own choice stands, also a choice against huge pages.
        {"glibc.malloc.hugetlb=0", std::nullopt},
        {"glibc.malloc.arena_max=2:glibc.malloc.hugetlb=2", std::nullopt},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> restart = TunablesWithHugePages(row.given);
        EXPECT_EQ(restart, row.restart) << (row.given ? row.given : "(unset)");
        if (!restart)
            continue;
        // Back to what the user gave: unset (or empty) stays unset.
        const std::optional<std::string> back = TunablesWithoutHugePages(*restart);
        EXPECT_EQ(back, row.given && *row.given ? std::optional<std::string>(row.given) : std::nullopt);
    }
}
