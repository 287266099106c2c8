#include "foundation/map_element.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/str_base.h"

namespace {

using IntMap = CMapElement<int, 32>;

std::vector<std::string> Keys(const IntMap& map)
{
    std::vector<std::string> out;
    auto cursor = map.Iterate();
    const char* key;
    const int* value;
    while (cursor.Next(&key, &value))
        out.emplace_back(key);
    return out;
}

// Key text as the map's iteration yields it.
const char* StoredKey(const IntMap& map, const std::string& key)
{
    for (auto [k, v] : map) {
        if (key == k)
            return k;
    }
    return nullptr;
}

} // namespace

TEST(MapElementHash, WeightsBytesByPosition)
{
    EXPECT_EQ(IntMap::Hash("a"), 97u * 257u);
    EXPECT_EQ(IntMap::Hash("a") & 31, 1u);
    EXPECT_EQ(IntMap::Hash("ab"), 97u * 257u + 98u * 258u);
    EXPECT_EQ(IntMap::Hash(""), 0u);
}

TEST(MapElementHash, HighBytesCountAsNegative)
{
    EXPECT_EQ(IntMap::Hash("\x80"), static_cast<uint32_t>(-128 * 257));
    EXPECT_EQ(IntMap::Hash("aa\xff"), IntMap::Hash("aa") - 259u);
    EXPECT_EQ(IntMap::Hash("\x82\xa0"), static_cast<uint32_t>(-126 * 257 - 96 * 258));
}

TEST(MapElementAdd, NewKeyGetsADefaultValue)
{
    IntMap map;
    int* v = map.Add("a");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(*v, 0);
    *v = 5;
    EXPECT_EQ(map.Lookup("a"), v);
    EXPECT_EQ(map.GetCount(), 1u);
}

TEST(MapElementAdd, PresentKeyReturnsNullAndKeepsTheValue)
{
    IntMap map;
    *map.Add("k") = 7;
    EXPECT_EQ(map.Add("k"), nullptr);
    EXPECT_EQ(*map.Lookup("k"), 7);
    EXPECT_EQ(map.GetCount(), 1u);
}

TEST(MapElementAdd, InsertNewRaisesThePresentKeyText)
{
    IntMap map;
    map.InsertNew("dup");
    const char* key = "dup";
    try {
        map.InsertNew(key);
        FAIL() << "no exception";
    } catch (const char* raised) {
        EXPECT_EQ(raised, key);
    }
    EXPECT_EQ(map.GetCount(), 1u);
}

TEST(MapElementAdd, GetOrInsertReturnsTheSameValue)
{
    IntMap map;
    int* first = map.GetOrInsert("x");
    *first = 3;
    EXPECT_EQ(map.GetOrInsert("x"), first);
    EXPECT_EQ(*first, 3);
    EXPECT_EQ(map.GetCount(), 1u);
}

TEST(MapElementLookup, AbsentKeysAndCase)
{
    IntMap map;
    EXPECT_EQ(map.Lookup("a"), nullptr);
    map.Add("Key");
    EXPECT_EQ(map.Lookup("key"), nullptr);
    EXPECT_EQ(map.Lookup("Ke"), nullptr);
    EXPECT_EQ(map.Lookup("Key2"), nullptr);
    const IntMap& constMap = map;
    EXPECT_NE(constMap.Lookup("Key"), nullptr);
}

TEST(MapElementLookup, KeysWithTheSameHashAreToldApartByText)
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
}

TEST(MapElementLookup, PassedHashIsUsedAsGiven)
{
    IntMap map;
    *map.Add("one", 12345) = 1;
    EXPECT_EQ(*map.Lookup("one", 12345), 1);
    EXPECT_EQ(map.Lookup("one"), nullptr);
}

TEST(MapElementLookup, PrecomputedHashEqualsComputedOne)
{
    IntMap map;
    const uint32_t hash = IntMap::Hash("name");
    *map.Add("name", hash) = 4;
    EXPECT_EQ(*map.Lookup("name"), 4);
    EXPECT_EQ(*map.Lookup("name", hash), 4);
    EXPECT_EQ(map.Add("name"), nullptr);
}

TEST(MapElementLongKeys, ThirtyBytesInlineThirtyOneInTheTable)
{
    IntMap map;
    const std::string inlineKey = "inline-key-of-thirty-bytes-30!";
    const std::string longKey = "table-key-of-thirty-one-bytes31";
    ASSERT_EQ(inlineKey.size(), 30u);
    ASSERT_EQ(longKey.size(), 31u);

    const uint32_t before = LongKeyCount();
    *map.Add(inlineKey.c_str()) = 30;
    EXPECT_EQ(LongKeyCount(), before);
    *map.Add(longKey.c_str()) = 31;
    EXPECT_EQ(LongKeyCount(), before + 1);
    EXPECT_STREQ(LongKeyText(before), longKey.c_str());

    EXPECT_EQ(*map.Lookup(inlineKey.c_str()), 30);
    EXPECT_EQ(*map.Lookup(longKey.c_str()), 31);
    EXPECT_EQ(StoredKey(map, longKey), LongKeyText(before));
    EXPECT_EQ(map.Add(longKey.c_str()), nullptr);
    EXPECT_EQ(LongKeyCount(), before + 1);
}

TEST(MapElementLongKeys, TwoMapsShareOneTableEntry)
{
    const std::string key(40, 'S');
    IntMap first, second;
    const uint32_t before = LongKeyCount();
    *first.Add(key.c_str()) = 1;
    *second.Add(key.c_str()) = 2;
    EXPECT_EQ(LongKeyCount(), before + 1);
    EXPECT_EQ(StoredKey(first, key), StoredKey(second, key));
    EXPECT_EQ(*first.Lookup(key.c_str()), 1);
    EXPECT_EQ(*second.Lookup(key.c_str()), 2);
}

TEST(MapElementLongKeys, LongKeysWithACommonPrefixStayApart)
{
    IntMap map;
    const std::string prefix(35, 'P');
    *map.Add((prefix + "1").c_str()) = 1;
    *map.Add((prefix + "2").c_str()) = 2;
    EXPECT_EQ(*map.Lookup((prefix + "1").c_str()), 1);
    EXPECT_EQ(*map.Lookup((prefix + "2").c_str()), 2);
    EXPECT_EQ(map.Lookup(prefix.c_str()), nullptr);
}

TEST(MapElementLongKeys, EmptyKeyAndALongKeyWithHashZero)
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
    EXPECT_EQ(Keys(map), (std::vector<std::string>{zeroHashKey, ""}));
}

TEST(MapElementIteration, ByBucketThenInsertionOrder)
{
    IntMap map;
    map.Add("b"); // bucket 2
    map.Add("a"); // bucket 1
    EXPECT_EQ(Keys(map), (std::vector<std::string>{"a", "b"}));

    // "!" also falls in bucket 1 (33 * 257 = 8481 = 265 * 32 + 1).
    ASSERT_EQ(IntMap::Hash("!") & 31, 1u);
    map.Add("!");
    EXPECT_EQ(Keys(map), (std::vector<std::string>{"a", "!", "b"}));
    IntMap reversed;
    reversed.Add("!");
    reversed.Add("a");
    EXPECT_EQ(Keys(reversed), (std::vector<std::string>{"!", "a"}));
}

TEST(MapElementIteration, EmptyMapYieldsNothing)
{
    IntMap map;
    EXPECT_TRUE(Keys(map).empty());
    EXPECT_FALSE(map.begin() != map.end());
}

TEST(MapElementIteration, RangeForYieldsWritableValues)
{
    IntMap map;
    map.Add("x");
    map.Add("y");
    for (auto [key, value] : map)
        value = key[0];
    EXPECT_EQ(*map.Lookup("x"), 'x');
    EXPECT_EQ(*map.Lookup("y"), 'y');

    auto cursor = map.Iterate();
    const char* key;
    int* value;
    std::vector<std::pair<std::string, int>> seen;
    while (cursor.Next(&key, &value))
        seen.emplace_back(key, *value);
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{"x", 'x'}, {"y", 'y'}}));
}

TEST(MapElementValues, StayInPlaceAsTheMapGrows)
{
    IntMap map;
    int* first = map.Add("key0");
    *first = -1;
    for (int i = 1; i < 1000; ++i)
        *map.Add(("key" + std::to_string(i)).c_str()) = i;
    EXPECT_EQ(map.GetCount(), 1000u);
    EXPECT_EQ(map.Lookup("key0"), first);
    for (int i = 1; i < 1000; ++i)
        ASSERT_EQ(*map.Lookup(("key" + std::to_string(i)).c_str()), i);
    EXPECT_EQ(Keys(map).size(), 1000u);
}

TEST(MapElementValues, NonCopyableAndClassValuesAreBuiltInPlace)
{
    CMapElement<CArrayAuto<int>, 32> lists;
    CArrayAuto<int>* list = lists.Add("list");
    EXPECT_EQ(list->GetCount(), 0u);
    *list->Add() = 9;
    EXPECT_EQ((*lists.Lookup("list"))[0], 9);

    CMapElement<CStr_base<64>, 32> texts;
    CStr_base<64>* text = texts.GetOrInsert("name");
    EXPECT_STREQ(*text, "");
    text->Assign("value");
    EXPECT_STREQ(*texts.Lookup("name"), "value");

    CMapElement<const char*, 32> pointers;
    EXPECT_EQ(*pointers.Add("p"), nullptr);
}
