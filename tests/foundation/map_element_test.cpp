#include "foundation/map_element.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "foundation/str_base.h"
#include "../map_keys.h"

namespace {

using IntMap = CMapElement<int, 32>;

// Keys and values in iteration order, through the cursor.
std::vector<std::pair<std::string, int>> Entries(const IntMap& map)
{
    std::vector<std::pair<std::string, int>> out;
    auto cursor = map.Iterate();
    const char* key;
    const int* value;
    while (cursor.Next(&key, &value))
        out.emplace_back(key, *value);
    return out;
}

// Key text as the map's range-for yields it.
const char* StoredKey(const IntMap& map, const std::string& key)
{
    for (auto [k, v] : map) {
        if (key == k)
            return k;
    }
    return nullptr;
}

} // namespace

TEST(MapElement, HashWeightsSignedBytesByPosition)
{
    EXPECT_EQ(IntMap::Hash("a"), 97u * 257u);
    EXPECT_EQ(IntMap::Hash("a") & 31, 1u);
    EXPECT_EQ(IntMap::Hash("ab"), 97u * 257u + 98u * 258u);
    EXPECT_EQ(IntMap::Hash(""), 0u);
    // Bytes 0x80 and above count as negative.
    EXPECT_EQ(IntMap::Hash("\x80"), static_cast<uint32_t>(-128 * 257));
    EXPECT_EQ(IntMap::Hash("\x82\xa0"), static_cast<uint32_t>(-126 * 257 - 96 * 258));
}

TEST(MapElement, AddLookupAndInsert)
{
    IntMap map;
    EXPECT_EQ(map.Lookup("Key"), nullptr);
    int* v = map.Add("Key");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(*v, 0);
    *v = 7;
    EXPECT_EQ(map.Lookup("Key"), v);
    EXPECT_NE(static_cast<const IntMap&>(map).Lookup("Key"), nullptr);
    // Keys are case-sensitive whole texts.
    for (const char* other : {"key", "Ke", "Key2"})
        EXPECT_EQ(map.Lookup(other), nullptr) << other;
    // A present key: Add returns null and keeps the value, GetOrInsert gives
    // the same value, InsertNew raises the key text.
    EXPECT_EQ(map.Add("Key"), nullptr);
    EXPECT_EQ(map.GetOrInsert("Key"), v);
    EXPECT_EQ(*v, 7);
    const char* key = "Key";
    try {
        map.InsertNew(key);
        ADD_FAILURE() << "no exception";
    } catch (const char* raised) {
        EXPECT_EQ(raised, key);
    }
    EXPECT_EQ(map.GetCount(), 1u);
    EXPECT_EQ(*map.InsertNew("new"), 0);
    EXPECT_EQ(map.GetCount(), 2u);
}

TEST(MapElement, HashesAreComparedBeforeTexts)
{
    // Raising byte 0 and byte 2 by one and lowering byte 1 by two keeps the
    // hash: 257 - 2 * 258 + 259 == 0.
    ASSERT_EQ(IntMap::Hash("abc"), IntMap::Hash("b`d"));
    IntMap map;
    *map.Add("abc") = 1;
    EXPECT_EQ(map.Lookup("b`d"), nullptr);
    *map.Add("b`d") = 2;
    EXPECT_EQ(*map.Lookup("abc"), 1);
    EXPECT_EQ(*map.Lookup("b`d"), 2);
    // A passed hash is used as given; 0 means the map computes it.
    *map.Add("one", 12345) = 3;
    EXPECT_EQ(*map.Lookup("one", 12345), 3);
    EXPECT_EQ(map.Lookup("one"), nullptr);
    *map.Add("name", IntMap::Hash("name")) = 4;
    EXPECT_EQ(*map.Lookup("name", 0), 4);
    EXPECT_EQ(map.Add("name"), nullptr);
}

TEST(MapElement, KeysOfThirtyOneBytesAndMoreLiveInTheSharedTable)
{
    const std::string inlineKey = "inline-key-of-thirty-bytes-30!";
    const std::string longKey = "table-key-of-thirty-one-bytes31";
    ASSERT_EQ(inlineKey.size(), 30u);
    ASSERT_EQ(longKey.size(), 31u);
    IntMap map, other;
    const uint32_t before = LongKeyCount();
    *map.Add(inlineKey.c_str()) = 30;
    EXPECT_EQ(LongKeyCount(), before);
    *map.Add(longKey.c_str()) = 31;
    *other.Add(longKey.c_str()) = 2;
    EXPECT_EQ(map.Add(longKey.c_str()), nullptr);
    EXPECT_EQ(LongKeyCount(), before + 1);
    EXPECT_STREQ(LongKeyText(before), longKey.c_str());
    EXPECT_EQ(StoredKey(map, longKey), LongKeyText(before));
    EXPECT_EQ(StoredKey(other, longKey), LongKeyText(before));
    EXPECT_EQ(*map.Lookup(inlineKey.c_str()), 30);
    EXPECT_EQ(*map.Lookup(longKey.c_str()), 31);
    EXPECT_EQ(*other.Lookup(longKey.c_str()), 2);
    // Long keys with a common prefix stay apart.
    const std::string prefix(35, 'P');
    *map.Add((prefix + "1").c_str()) = 1;
    *map.Add((prefix + "2").c_str()) = 2;
    EXPECT_EQ(*map.Lookup((prefix + "1").c_str()), 1);
    EXPECT_EQ(*map.Lookup((prefix + "2").c_str()), 2);
    EXPECT_EQ(map.Lookup(prefix.c_str()), nullptr);
}

TEST(MapElement, EmptyKeyAndALongKeyWithHashZero)
{
    // Positions 0-7 and 24-31 weigh as much as positions 8-23, so 'A' (65)
    // on the first and 0xBF (-65) on the second give a 32-byte key of hash 0.
    const std::string zeroHashKey = std::string(8, 'A') + std::string(16, '\xBF') + std::string(8, 'A');
    ASSERT_EQ(IntMap::Hash(zeroHashKey.c_str()), 0u);
    IntMap map;
    *map.Add(zeroHashKey.c_str()) = 1;
    EXPECT_EQ(map.Lookup(""), nullptr);
    *map.Add("") = 2;
    EXPECT_EQ(*map.Lookup(zeroHashKey.c_str()), 1);
    EXPECT_EQ(*map.Lookup(""), 2);
    EXPECT_EQ(map.Add(zeroHashKey.c_str()), nullptr);
    EXPECT_EQ(map.Add(""), nullptr);
    EXPECT_EQ(Entries(map), (std::vector<std::pair<std::string, int>>{{zeroHashKey, 1}, {"", 2}}));
}

TEST(MapElement, IterationRunsByBucketThenInsertionOrder)
{
    IntMap map;
    EXPECT_TRUE(Entries(map).empty());
    EXPECT_FALSE(map.begin() != map.end());
    // "!" falls in bucket 1 like "a" (33 * 257 = 8481 = 265 * 32 + 1).
    ASSERT_EQ(IntMap::Hash("!") & 31, 1u);
    for (const char* key : {"b", "a", "!"})
        map.Add(key);
    // Range-for yields writable values.
    for (auto [key, value] : map)
        value = key[0];
    EXPECT_EQ(Entries(map), (std::vector<std::pair<std::string, int>>{{"a", 'a'}, {"!", '!'}, {"b", 'b'}}));
}

TEST(MapElement, ValuesStayInPlaceAndAreBuiltInPlace)
{
    IntMap map;
    int* first = map.Add("key0");
    for (int i = 1; i < 1000; ++i)
        *map.Add(("key" + std::to_string(i)).c_str()) = i;
    EXPECT_EQ(map.Lookup("key0"), first);
    for (int i = 1; i < 1000; ++i)
        ASSERT_EQ(*map.Lookup(("key" + std::to_string(i)).c_str()), i);
    EXPECT_EQ(Entries(map).size(), 1000u);

    CMapElement<CArrayAuto<int>, 32> lists;
    *lists.Add("list")->Add() = 9;
    EXPECT_EQ((*lists.Lookup("list"))[0], 9);
    CMapElement<CStr_base<64>, 32> texts;
    EXPECT_STREQ(*texts.GetOrInsert("name"), "");
    texts.GetOrInsert("name")->Assign("value");
    EXPECT_STREQ(*texts.Lookup("name"), "value");
    CMapElement<const char*, 32> pointers;
    EXPECT_EQ(*pointers.Add("p"), nullptr);
}

// Past 255 entries a map finds its keys through an index; what it finds and
// the order it iterates in stay those of the chains: by bucket, then in
// insertion order. Numbered keys share few hash values; the same text under
// two passed hashes is two entries.
TEST(MapElement, LargeMapsFindEveryKeyAndKeepTheChainOrder)
{
    struct Spec {
        std::string key;
        uint32_t hash;
    };
    const std::string longPrefix(31, 'L');
    for (const uint32_t count : {255u, 256u, 3000u}) {
        std::vector<Spec> specs;
        for (uint32_t i = 0; i < count; ++i) {
            const std::string number = std::to_string(100000 + i);
            const std::string key = i % 7 == 0 ? longPrefix + number : "###Key" + number;
            specs.push_back({key, i % 5 == 0 ? 12345u + i % 3 : IntMap::Hash(key.c_str())});
        }
        specs.push_back({specs[0].key, specs[0].hash + 1});
        IntMap map;
        for (uint32_t i = 0; i < specs.size(); ++i)
            *map.Add(specs[i].key.c_str(), specs[i].hash) = static_cast<int>(i);

        std::vector<uint32_t> order(specs.size());
        for (uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](uint32_t a, uint32_t b) { return specs[a].hash % 32 < specs[b].hash % 32; });
        std::vector<std::string> expected;
        for (uint32_t i : order)
            expected.push_back(specs[i].key);
        EXPECT_EQ(Keys(map), expected) << count;

        for (uint32_t i = 0; i < specs.size(); ++i) {
            const int* value = map.Lookup(specs[i].key.c_str(), specs[i].hash);
            ASSERT_NE(value, nullptr) << count << " " << specs[i].key;
            EXPECT_EQ(*value, static_cast<int>(i));
            EXPECT_EQ(map.Add(specs[i].key.c_str(), specs[i].hash), nullptr);
        }
        EXPECT_EQ(map.Lookup(specs[0].key.c_str(), specs[0].hash + 2), nullptr);
        EXPECT_EQ(map.Lookup("###Key"), nullptr);
        EXPECT_EQ(map.GetCount(), specs.size());
    }
}
