#include "foundation/huge_page_heap.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

// Set only for the restart, so that it happens once.
constexpr const char* kRestartMark = "TAVARO_HEAP_RESTARTED";

// Whether transparent huge pages go only to memory that asks for them.
[[maybe_unused]] bool HugePagesOnRequest()
{
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::stringstream text;
    text << in.rdbuf();
    return text.str().find("[madvise]") != std::string::npos;
}

// Gives GLIBC_TUNABLES back the value the user gave, from the value `set`
// for the restart.
[[maybe_unused]] void RestoreTunables(const std::string& set)
{
    unsetenv(kRestartMark);
    if (const std::optional<std::string> given = TunablesWithoutHugePages(set))
        setenv("GLIBC_TUNABLES", given->c_str(), 1);
    else
        unsetenv("GLIBC_TUNABLES");
}

} // namespace

std::optional<std::string> TunablesWithHugePages(const char* current)
{
    if (!current || !*current)
        return std::string(kHugePageTunable);
    if (std::strstr(current, "glibc.malloc.hugetlb"))
        return std::nullopt;
    return std::string(current) + ":" + kHugePageTunable;
}

std::optional<std::string> TunablesWithoutHugePages(const std::string& set)
{
    const std::string added = std::string(":") + kHugePageTunable;
    if (set.size() > added.size() && set.compare(set.size() - added.size(), added.size(), added) == 0)
        return set.substr(0, set.size() - added.size());
    return std::nullopt;
}

void UseHugePagesForTheHeap(char** argv)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    (void)argv;  // the sanitizers' allocators keep their own heap
#else
    if (std::getenv(kRestartMark)) {
        const char* set = std::getenv("GLIBC_TUNABLES");
        RestoreTunables(set ? set : "");
        return;
    }
    const std::optional<std::string> tunables = TunablesWithHugePages(std::getenv("GLIBC_TUNABLES"));
    if (!tunables || !HugePagesOnRequest())
        return;
    setenv("GLIBC_TUNABLES", tunables->c_str(), 1);
    setenv(kRestartMark, "1", 1);
    execv("/proc/self/exe", argv);
    RestoreTunables(*tunables);  // no restart: on with the usual pages
#endif
}

void StartWithHugePagesForTheHeap(const char* program, char** argv)
{
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    if (!std::getenv(kRestartMark)) {
        const std::optional<std::string> tunables = TunablesWithHugePages(std::getenv("GLIBC_TUNABLES"));
        if (tunables && HugePagesOnRequest()) {
            setenv("GLIBC_TUNABLES", tunables->c_str(), 1);
            setenv(kRestartMark, "1", 1);
        }
    }
#endif
    execv(program, argv);
}
