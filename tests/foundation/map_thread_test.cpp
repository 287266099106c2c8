// Maps made on two threads at once (the find worker reads elements back
// while the window thread may use maps too): keys too long for an entry go
// to the one table of the process, and a map that takes another map's keys
// shares its layout, whose count both threads change.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "foundation/long_key_table.h"
#include "foundation/map_element.h"

namespace {

using Map = CMapElement<int, 32>;

std::string LongKey(int thread, int i)
{
    return "a key far too long for an entry of its map, " + std::to_string(thread) + "/" + std::to_string(i);
}

} // namespace

TEST(MapThreads, LongKeysFromTwoThreadsAtOnce)
{
    std::atomic<int> wrong{0};
    const auto fill = [&wrong](int thread) {
        for (int i = 0; i < 300; ++i) {
            Map map;
            const std::string key = LongKey(thread, i);
            *map.InsertNew(key.c_str()) = i;
            const int* value = map.Lookup(key.c_str());
            wrong += !value || *value != i || LongKeyText(LongKeyIndex(key.c_str())) != key;
        }
    };
    std::thread other(fill, 1);
    fill(0);
    other.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(MapThreads, MapsSharingKeysAreMadeAndFreedOnTwoThreads)
{
    Map keys;
    for (int i = 0; i < 20; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "k%d", i);
        *keys.InsertNew(name) = i;
    }
    const auto share = [&keys] {
        for (int i = 0; i < 2000; ++i) {
            Map copy;
            copy.AddKeysOf(keys);
        }
    };
    std::thread other(share);
    share();
    other.join();
    EXPECT_EQ(keys.GetCount(), 20u);
    EXPECT_EQ(*keys.Lookup("k19"), 19);
}
