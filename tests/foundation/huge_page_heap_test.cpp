// The C library's tunables for a restart with huge pages on the heap, the
// user's own value given back after it, and the start through the small
// program that starts the editor.
#include "foundation/huge_page_heap.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
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

namespace {

// What `env` prints when started through StartWithHugePagesForTheHeap with
// GLIBC_TUNABLES set to `given` (null: unset).
std::string EnvironmentStarted(const char* given)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        unsetenv("TAVARO_HEAP_RESTARTED");
        if (given)
            setenv("GLIBC_TUNABLES", given, 1);
        else
            unsetenv("GLIBC_TUNABLES");
        char program[] = "/usr/bin/env";
        char* argv[] = {program, nullptr};
        StartWithHugePagesForTheHeap(program, argv);
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return out;
}

bool HugePagesOnRequest()
{
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    std::getline(in, modes);
    return modes.find("[madvise]") != std::string::npos;
}

} // namespace

// The small program that starts the editor gives it the tunable (and the
// mark by which the editor gives the user's value back) only where the
// system hands out huge pages on request, and never over the user's own
// choice.
TEST(HugePageHeap, TheStarterPassesTheTunableOnOnlyWhereItHelps)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers keep their own heap";
#endif
    const bool onRequest = HugePagesOnRequest();
    const std::string plain = EnvironmentStarted(nullptr);
    EXPECT_EQ(plain.find("GLIBC_TUNABLES=glibc.malloc.hugetlb=1\n") != std::string::npos, onRequest) << plain;
    EXPECT_EQ(plain.find("TAVARO_HEAP_RESTARTED=1\n") != std::string::npos, onRequest) << plain;
    const std::string chosen = EnvironmentStarted("glibc.malloc.hugetlb=0");
    EXPECT_NE(chosen.find("GLIBC_TUNABLES=glibc.malloc.hugetlb=0\n"), std::string::npos) << chosen;
    EXPECT_EQ(chosen.find("TAVARO_HEAP_RESTARTED"), std::string::npos) << chosen;
}
