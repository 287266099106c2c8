// The keys of a keyed map in its iteration order, for comparing orders.
#pragma once

#include <string>
#include <vector>

template <class Map>
std::vector<std::string> Keys(const Map& map)
{
    std::vector<std::string> keys;
    for (auto [key, value] : map)
        keys.emplace_back(key);
    return keys;
}
