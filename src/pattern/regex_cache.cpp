#include "pattern/regex_cache.h"

#include <string>
#include <unordered_map>

namespace {

constexpr size_t kCapacity = 32;

struct Entry {
    std::shared_ptr<const CStrRegexCompiled> compiled;
    uint64_t lastUse = 0;
};

}  // namespace

std::shared_ptr<const CStrRegexCompiled> StrRegexCompileCached(const char* pattern)
{
    thread_local std::unordered_map<std::string, Entry> cache;
    thread_local uint64_t clock = 0;
    if (!pattern)
        pattern = "";
    const std::string key(pattern);
    auto found = cache.find(key);
    if (found != cache.end()) {
        found->second.lastUse = ++clock;
        return found->second.compiled;
    }
    auto compiled = std::make_shared<CStrRegexCompiled>();
    StrRegexCompile(pattern, &compiled->root);
    compiled->first[0] = StrRegexFirstBytes(compiled->root, false);
    compiled->first[1] = StrRegexFirstBytes(compiled->root, true);
    if (cache.size() >= kCapacity) {
        auto oldest = cache.begin();
        for (auto it = cache.begin(); it != cache.end(); ++it)
            if (it->second.lastUse < oldest->second.lastUse)
                oldest = it;
        cache.erase(oldest);
    }
    cache[key] = Entry{compiled, ++clock};
    return compiled;
}
