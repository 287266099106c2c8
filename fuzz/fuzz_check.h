// How a fuzz target reports a broken promise: its name, what failed and the
// input it failed on (as a C string literal), then an abort, so that
// libFuzzer keeps the input as an artifact.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz_check {
inline const char* g_target = "fuzzer";
inline const std::string* g_input = nullptr;
}  // namespace fuzz_check

// The input of the run now starting (null when it ended); `target` names
// the fuzzer in the reports.
inline void SetFuzzInput(const char* target, const std::string* input)
{
    fuzz_check::g_target = target;
    fuzz_check::g_input = input;
}

[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "%s: %s\ninput: \"", fuzz_check::g_target, what);
    if (fuzz_check::g_input) {
        // A hex escape ends its literal piece ("\x41""b"), so that a digit
        // after it is not taken into the escape.
        for (unsigned char c : *fuzz_check::g_input)
            std::fprintf(stderr, (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') ? "%c" : "\\x%02x\"\"", c);
    }
    std::fprintf(stderr, "\"\n");
    std::abort();
}

inline void Expect(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

// The first `count` texts of an input whose texts are separated by zero
// bytes; missing ones are empty, bytes after the last are ignored.
inline std::vector<std::string> FuzzParts(const std::string& input, size_t count)
{
    std::vector<std::string> parts(count);
    size_t part = 0;
    for (char c : input) {
        if (c == '\0') {
            if (++part == count)
                break;
            continue;
        }
        parts[part] += c;
    }
    return parts;
}
