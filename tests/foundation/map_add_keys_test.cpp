// Taking all keys of one map into another at once against adding them one
// by one: the same entries, hashes, chains and iteration order.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/map_element.h"
#include "foundation/str_base.h"
#include "../map_keys.h"

namespace {

using IntMap = CMapElement<int, 32>;
using TextMap = CMapElement<CStr_base<64>, 32>;

// A key and the hash it is stored with (0: the map's own).
struct KeySpec {
    std::string key;
    uint32_t hash = 0;
};

std::vector<KeySpec> ManyKeys(uint32_t count)
{
    std::vector<KeySpec> keys;
    for (uint32_t i = 0; i < count; ++i)
        keys.push_back({"k" + std::to_string(i * 7919)});
    return keys;
}

struct KeySetCase {
    const char* name;
    std::vector<KeySpec> keys;
};

std::vector<KeySetCase> Cases()
{
    return {
        {"FieldKeys", {{"no"}, {"type"}, {"code"}, {"name"}, {"info"}, {"price"}, {"funct"}, {"@@include"}}},
        {"EmptyAndLongKeys",
         {{""}, {"a"}, {"a-key-of-thirty-one-bytes-here!"}, {"inline-key-of-thirty-bytes-30!"}, {std::string(40, 'L')}}},
        {"EqualHashes", {{"abc"}, {"b`d"}, {"b"}, {"a"}}},
        {"GivenHashes", {{"one", 12345}, {"two", 12345 + 32}, {"three", 7}}},
        {"WideChainHeads", ManyKeys(300)},
    };
}

template <class Map>
void AddOneByOne(Map& map, const std::vector<KeySpec>& keys)
{
    for (const KeySpec& spec : keys)
        map.GetOrInsert(spec.key.c_str(), spec.hash);
}

} // namespace

class MapAddKeysOf : public ::testing::TestWithParam<KeySetCase> {};

TEST_P(MapAddKeysOf, AnEmptyMapTakesTheKeysAsAddingThemOneByOneWould)
{
    const std::vector<KeySpec>& keys = GetParam().keys;
    TextMap from;
    AddOneByOne(from, keys);
    *from.Lookup(keys[0].key.c_str(), keys[0].hash) = "not copied";

    IntMap copied, added;
    copied.AddKeysOf(from);
    AddOneByOne(added, keys);
    EXPECT_EQ(Keys(copied), Keys(added));
    EXPECT_EQ(copied.GetCount(), from.GetCount());
    for (const KeySpec& spec : keys) {
        const int* value = copied.Lookup(spec.key.c_str(), spec.hash);
        ASSERT_NE(value, nullptr) << spec.key;
        EXPECT_EQ(*value, 0) << spec.key;
    }
    // The chains go on as those of the map built key by key.
    for (const char* key : {"late", "abc", "zz", ""}) {
        copied.GetOrInsert(key);
        added.GetOrInsert(key);
    }
    EXPECT_EQ(Keys(copied), Keys(added));
    EXPECT_EQ(Keys(copied).size(), copied.GetCount());
}

TEST_P(MapAddKeysOf, AMapWithKeysAddsTheMissingOnesOneByOne)
{
    const std::vector<KeySpec>& keys = GetParam().keys;
    TextMap from;
    AddOneByOne(from, keys);

    TextMap copied, added;
    for (TextMap* map : {&copied, &added}) {
        map->GetOrInsert("first")->Assign("kept");
        map->GetOrInsert(keys.back().key.c_str(), keys.back().hash)->Assign("kept too");
    }
    copied.AddKeysOf(from);
    AddOneByOne(added, keys);
    EXPECT_EQ(Keys(copied), Keys(added));
    EXPECT_STREQ(copied.Lookup("first")->GetBuffer(), "kept");
    EXPECT_STREQ(copied.Lookup(keys.back().key.c_str(), keys.back().hash)->GetBuffer(), "kept too");
}

INSTANTIATE_TEST_SUITE_P(KeySets, MapAddKeysOf, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<KeySetCase>& info) { return std::string(info.param.name); });

TEST(MapAddKeysOfEmpty, NothingToTakeLeavesTheMapAsItWas)
{
    TextMap from;
    IntMap to;
    to.AddKeysOf(from);
    EXPECT_EQ(to.GetCount(), 0u);
    EXPECT_EQ(to.Lookup(""), nullptr);
}
