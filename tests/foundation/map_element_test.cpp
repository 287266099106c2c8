// The keyed map: its hash, look-up and insertion, long keys in the shared
// table, iteration order, and taking all keys of another map at once.
#include "foundation/map_element.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../map_keys.h"
#include "foundation/str_base.h"

namespace {

using IntMap = CMapElement<int, 32>;
using TextMap = CMapElement<CStr_base<64>, 32>;
using Entries = std::vector<std::pair<std::string, int>>;

// Keys and values in iteration order, through the cursor.
Entries EntriesOf(const IntMap& map)
{
    Entries out;
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

}  // namespace

TEST(MapElement, HashWeightsSignedBytesByPositionAndIsComparedFirst)
{
    const std::pair<const char*, uint32_t> hashes[] = {{"", 0u}, {"a", 97u * 257u}, {"ab", 97u * 257u + 98u * 258u},
                                                         {"\x80", static_cast<uint32_t>(-128 * 257)},
                                                         {"\x82\xa0", static_cast<uint32_t>(-126 * 257 - 96 * 258)}};
    for (const auto& [key, hash] : hashes)
        EXPECT_EQ(IntMap::Hash(key), hash) << key;
    // Raising bytes 0 and 2 by one and lowering byte 1 by two keeps the hash.
    ASSERT_EQ(IntMap::Hash("abc"), IntMap::Hash("b`d"));
    IntMap map;
    *map.Add("abc") = 1;
    EXPECT_EQ(map.Lookup("b`d"), nullptr);
    *map.Add("b`d") = 2;
    // A passed hash is used as given; 0 means the map computes it.
    *map.Add("one", 12345) = 3;
    *map.Add("name", IntMap::Hash("name")) = 4;
    EXPECT_EQ(std::tuple(*map.Lookup("abc"), *map.Lookup("b`d"), *map.Lookup("one", 12345), *map.Lookup("name", 0)),
              std::tuple(1, 2, 3, 4));
    EXPECT_EQ(map.Lookup("one"), nullptr);
}

TEST(MapElement, AddLookupAndInsert)
{
    IntMap map;
    EXPECT_FALSE(map.begin() != map.end());
    int* v = map.Add("Key");
    ASSERT_TRUE(v && *v == 0);
    *v = 7;
    EXPECT_EQ(static_cast<const IntMap&>(map).Lookup("Key"), v);
    for (const char* other : {"key", "Ke", "Key2"})  // case-sensitive whole texts
        EXPECT_EQ(map.Lookup(other), nullptr) << other;
    // A present key: Add returns null and keeps the value, GetOrInsert gives
    // the same value, InsertNew raises the key text.
    EXPECT_EQ(std::tuple(map.Add("Key"), map.GetOrInsert("Key"), *v), std::tuple(nullptr, v, 7));
    const char* key = "Key";
    try {
        map.InsertNew(key);
        ADD_FAILURE() << "no exception";
    } catch (const char* raised) {
        EXPECT_EQ(raised, key);
    }
    EXPECT_EQ(*map.InsertNew("new"), 0);
    EXPECT_EQ(map.GetCount(), 2u);
    // Values stay in place and are built in place, whatever their type.
    for (int i = 1; i < 1000; ++i)
        *map.Add(("key" + std::to_string(i)).c_str()) = i;
    EXPECT_EQ(map.Lookup("Key"), v);
    CMapElement<CArrayAuto<int>, 32> lists;
    *lists.Add("list")->Add() = 9;
    EXPECT_EQ((*lists.Lookup("list"))[0], 9);
}

TEST(MapElement, KeysOfThirtyOneBytesAndMoreLiveInTheSharedTable)
{
    const std::string inlineKey = "inline-key-of-thirty-bytes-30!";
    const std::string longKey = "table-key-of-thirty-one-bytes31";
    ASSERT_EQ(longKey.size(), inlineKey.size() + 1);
    IntMap map, other;
    const uint32_t before = LongKeyCount();
    *map.Add(inlineKey.c_str()) = 30;
    EXPECT_EQ(LongKeyCount(), before);
    *map.Add(longKey.c_str()) = 31;
    *other.Add(longKey.c_str()) = 2;
    EXPECT_EQ(LongKeyCount(), before + 1);
    EXPECT_STREQ(LongKeyText(before), longKey.c_str());
    EXPECT_EQ(std::tuple(StoredKey(map, longKey), StoredKey(other, longKey)),
              std::tuple(LongKeyText(before), LongKeyText(before)));
    EXPECT_EQ(std::tuple(*map.Lookup(inlineKey.c_str()), *map.Lookup(longKey.c_str()), *other.Lookup(longKey.c_str())),
              std::tuple(30, 31, 2));
    // Long keys with a common prefix stay apart.
    const std::string prefix(35, 'P');
    *map.Add((prefix + "1").c_str()) = 1;
    *map.Add((prefix + "2").c_str()) = 2;
    EXPECT_EQ(std::tuple(*map.Lookup((prefix + "2").c_str()), map.Lookup(prefix.c_str())), std::tuple(2, nullptr));
    // Positions 0-7 and 24-31 weigh as much as positions 8-23, so a 32-byte
    // key of 'A' (65) and 0xBF (-65) has the hash of the empty key.
    const std::string zeroHashKey = std::string(8, 'A') + std::string(16, '\xBF') + std::string(8, 'A');
    ASSERT_EQ(IntMap::Hash(zeroHashKey.c_str()), 0u);
    IntMap zero;
    *zero.Add(zeroHashKey.c_str()) = 1;
    EXPECT_EQ(zero.Lookup(""), nullptr);
    *zero.Add("") = 2;
    EXPECT_EQ(zero.Add(zeroHashKey.c_str()), nullptr);
    EXPECT_EQ(EntriesOf(zero), (Entries{{zeroHashKey, 1}, {"", 2}}));
}

namespace {

// A key and the hash it is stored with (0: the map's own).
struct KeySpec {
    std::string key;
    uint32_t hash = 0;
};

template <class Map>
void AddOneByOne(Map& map, const std::vector<KeySpec>& keys)
{
    for (const KeySpec& spec : keys)
        map.GetOrInsert(spec.key.c_str(), spec.hash);
}

}  // namespace

// Taking keys into a map that has keys adds the missing ones and keeps
// the values it has, whatever the values of the map the keys come from.
TEST(MapElement, TakingKeysAddsTheMissingOnesAndKeepsTheValuesAMapHas)
{
    const std::vector<std::vector<KeySpec>> keySets = {
        {{"no"}, {"type"}, {"code"}, {"name"}, {"@@include"}},
        {{""}, {"a"}, {"a-key-of-thirty-one-bytes-here!"}, {std::string(40, 'L')}},
        {{"abc"}, {"b`d"}, {"b"}, {"a"}},  // equal hashes
        {{"one", 12345}, {"two", 12345 + 32}, {"three", 7}},  // given hashes
    };
    for (const std::vector<KeySpec>& keys : keySets) {
        SCOPED_TRACE(keys.front().key);
        IntMap from;
        AddOneByOne(from, keys);
        TextMap withKeys, byHand;
        for (TextMap* map : {&withKeys, &byHand}) {
            map->GetOrInsert("first")->Assign("kept");
            map->GetOrInsert(keys.back().key.c_str(), keys.back().hash)->Assign("kept too");
        }
        withKeys.AddKeysOf(from);
        AddOneByOne(byHand, keys);
        EXPECT_EQ(Keys(withKeys), Keys(byHand));
        EXPECT_EQ(std::tuple(std::string(*withKeys.Lookup("first")),
                             std::string(*withKeys.Lookup(keys.back().key.c_str(), keys.back().hash))),
                  std::tuple("kept", "kept too"));
    }
    TextMap to;
    to.AddKeysOf(IntMap());
    EXPECT_EQ(to.GetCount(), 0u);
}

// A map iterates by bucket, then in insertion order. Past 255 entries it
// finds its keys through an index; what it finds and the order it iterates
// in stay those of the chains. Numbered keys share few hash values; the
// same text under two passed hashes is two entries.
TEST(MapElement, SmallAndLargeMapsFindEveryKeyAndKeepTheChainOrder)
{
    struct Spec {
        std::string key;
        uint32_t hash;
    };
    const std::string longPrefix(31, 'L');
    for (const uint32_t count : {40u, 255u, 256u, 3000u}) {
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

// Maps that took the keys of one map share them until they go on
// differently. Each case starts from a key map with a value written and
// three maps that took its keys (not its values); every step writes a value
// of its own into one map (map 0 is the key map), adding the key where it is
// absent. Each map must end as a map that had its keys added one by one and
// the same values written: the same entries, hashes, chains and order,
// values in the same places, nothing of another map's keys or values.
TEST(MapElement, MapsSharingKeysEndAsMapsThatAddedTheirOwn)
{
    struct Step {
        int map;
        std::string key;
        uint32_t hash = 0;
    };
    struct Case {
        const char* name;
        std::vector<KeySpec> start;
        std::vector<Step> steps;
    };
    const std::vector<KeySpec> item = {{""}, {"no"}, {"name"}, {"price"}};
    std::vector<KeySpec> many, edge;
    for (uint32_t i = 0; i < 300; ++i)
        (i < 254 ? edge : many).push_back({std::string("k").append(std::to_string(i * 7919))});
    many.insert(many.begin(), edge.begin(), edge.end());
    const std::string longKey(40, 'L');
    const Case cases[] = {
        {"all add the same key", item, {{1, "late"}, {2, "late"}, {3, "late"}, {0, "late"}}},
        {"writes only", item, {{1, "no"}, {2, "no"}, {3, ""}, {0, "price"}}},
        {"maps go on differently",
         item,
         {{1, "a"}, {2, "b"}, {3, "a"}, {2, "a"}, {1, "b"}, {0, "c"}, {3, "c"}, {1, "no"}}},
        {"the same text under another hash", item, {{1, "one", 5}, {2, "one", 6}, {3, "one", 5}, {2, "one", 5}}},
        {"the key map goes on first", item, {{0, "x"}, {1, "y"}, {0, "y"}, {2, "x"}, {3, "y"}}},
        {"long keys", {{"a"}, {longKey}}, {{1, longKey + "1"}, {2, longKey + "2"}, {3, longKey + "1"}, {1, longKey}}},
        {"past 255 keys", many, {{1, "new"}, {2, "other"}, {3, "new"}, {2, "new"}, {0, "k0"}}},
        {"crossing 255 keys", edge, {{1, "p"}, {1, "q"}, {1, "r"}, {2, "p"}, {2, "s"}, {3, "p"}, {3, "q"}}},
        {"empty, inline and table keys",
         {{""}, {"a"}, {"a-key-of-thirty-one-bytes-here!"}, {"inline-key-of-thirty-bytes-30!"}, {longKey}},
         {{1, "late"}, {2, ""}, {3, "a-key-of-thirty-one-bytes-here!"}, {0, "zz"}}},
        {"equal hashes", {{"abc"}, {"b`d"}, {"b"}, {"a"}}, {{1, "late"}, {2, "b`d"}, {3, "abc"}, {1, "zz"}}},
        {"given hashes",
         {{"one", 12345}, {"two", 12345 + 32}, {"three", 7}},
         {{1, "one", 12345}, {2, "two", 12345 + 32}, {3, "late"}, {1, "one"}}},
    };
    for (const Case& c : cases)
      for (const bool virtualValues : {false, true}) {
        SCOPED_TRACE(std::string(c.name) + (virtualValues ? ", values virtual" : ""));
        IntMap maps[4], byHand[4];
        AddOneByOne(maps[0], c.start);
        if (virtualValues)
            maps[0].MakeValuesVirtual();
        for (IntMap& map : byHand)
            AddOneByOne(map, c.start);
        for (IntMap* map : {&maps[0], &byHand[0]})
            *map->GetOrInsert(c.start[0].key.c_str(), c.start[0].hash) = -1;
        for (int m = 1; m < 4; ++m)
            maps[m].AddKeysOf(maps[0]);
        int* kept = maps[1].Lookup(c.start[0].key.c_str(), c.start[0].hash);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            *maps[step.map].GetOrInsert(step.key.c_str(), step.hash) = static_cast<int>(i + 1);
            *byHand[step.map].GetOrInsert(step.key.c_str(), step.hash) = static_cast<int>(i + 1);
        }
        for (int m = 0; m < 4; ++m) {
            EXPECT_EQ(EntriesOf(maps[m]), EntriesOf(byHand[m])) << m;
            EXPECT_EQ(maps[m].GetCount(), byHand[m].GetCount()) << m;
            for (const Step& step : c.steps)
                EXPECT_EQ(maps[m].Lookup(step.key.c_str(), step.hash) != nullptr,
                          byHand[m].Lookup(step.key.c_str(), step.hash) != nullptr)
                    << m << " " << step.key;
        }
        EXPECT_EQ(maps[1].Lookup(c.start[0].key.c_str(), c.start[0].hash), kept);
    }
}

// A map whose values are virtual costs its keys alone: reading gives the
// shared default value; a key asked for writing takes its value, and so do
// the keys before it; trimming moves the values into the room they need
// and lets the default ones at the end go virtual again. Lookups, counts
// and the order stay those of a map that added its keys one by one.
TEST(MapElement, VirtualValuesAreDefaultUntilWrittenAndTrimmedToWhatTheyHold)
{
    const std::vector<KeySpec> keys = {{"no"}, {"type"}, {"code"}, {"name"}, {"info"}, {"price"}, {"funct"}};
    TextMap keyMap;
    AddOneByOne(keyMap, keys);
    keyMap.MakeValuesVirtual();
    TextMap byHand;
    AddOneByOne(byHand, keys);
    const auto isEmpty = +[](const CStr_base<64>& text) { return text.IsEmpty(); };
    const auto text = [](const TextMap& map, const char* key) {
        const CStr_base<64>* value = map.Lookup(key);
        return value ? std::string(value->GetBuffer()) : std::string("<none>");
    };
    for (int round = 0; round < 2; ++round) {
        TextMap map;
        map.AddKeysOf(keyMap);
        const TextMap& reading = map;
        EXPECT_EQ(Keys(map), Keys(byHand));
        EXPECT_EQ(map.GetCount(), keys.size());
        EXPECT_EQ(text(map, "name"), "");
        EXPECT_EQ(reading.Lookup("late"), nullptr);
        // Written values stay where they were given while others are written.
        CStr_base<64>* name = map.Lookup("name");
        name->Assign("sword");
        map.Lookup("no")->Assign("1");
        EXPECT_EQ(map.Lookup("name"), name);
        EXPECT_EQ(text(map, "name"), "sword");
        EXPECT_EQ(text(map, "price"), "");
        // Trimmed: the same texts, fewer values.
        map.TrimValues(isEmpty);
        EXPECT_EQ(std::tuple(text(map, "no"), text(map, "name"), text(map, "funct")), std::tuple("1", "sword", ""));
        EXPECT_EQ(Keys(map), Keys(byHand));
        map.Lookup("funct")->Assign("script");
        EXPECT_EQ(text(map, "funct"), "script");
        // A key beyond the shared ones joins as it would have otherwise.
        map.GetOrInsert(round ? "late" : "")->Assign("x");
        TextMap grown;
        AddOneByOne(grown, keys);
        grown.GetOrInsert(round ? "late" : "");
        EXPECT_EQ(Keys(map), Keys(grown));
        EXPECT_EQ(text(map, "name"), "sword");
        // A copy takes the keys and the written values.
        TextMap copy;
        copy.AddKeysOf(map);
        copy.CopyValuesOf(map, [](CStr_base<64>& to, const CStr_base<64>& from) { to = from; });
        EXPECT_EQ(Keys(copy), Keys(map));
        for (const KeySpec& spec : keys)
            EXPECT_EQ(text(copy, spec.key.c_str()), text(map, spec.key.c_str())) << spec.key;
        // The key map itself is still all default values.
        EXPECT_EQ(text(keyMap, "name"), "");
    }
    // Trimming a map that wrote nothing lets all values go virtual again,
    // and a copy of a trimmed map holds what it holds.
    TextMap empty;
    empty.AddKeysOf(keyMap);
    empty.Lookup("code");
    empty.TrimValues(isEmpty);
    EXPECT_EQ(Keys(empty), Keys(byHand));
    TextMap partial;
    partial.AddKeysOf(keyMap);
    partial.Lookup("type")->Assign("t");
    partial.TrimValues(isEmpty);
    TextMap copy;
    copy.AddKeysOf(partial);
    copy.CopyValuesOf(partial, [](CStr_base<64>& to, const CStr_base<64>& from) { to = from; });
    EXPECT_EQ(text(copy, "type"), "t");
    EXPECT_EQ(text(copy, "info"), "");
    EXPECT_EQ(Keys(copy), Keys(byHand));
}
