#include "pcre2_reference.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>
#include <stdexcept>

namespace {

struct CodeFree {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using Code = std::unique_ptr<pcre2_code, CodeFree>;
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataFree>;

Code Compile(const char* pattern)
{
    int error = 0;
    PCRE2_SIZE offset = 0;
    Code code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED, 0, &error, &offset,
                            nullptr));
    if (!code)
        throw std::runtime_error(std::string("PCRE2 cannot compile ") + pattern);
    return code;
}

}  // namespace

Pcre2Matches Pcre2FindAll(const char* pattern, const char* text, size_t length)
{
    Code code = Compile(pattern);
    MatchData data(pcre2_match_data_create_from_pattern(code.get(), nullptr));
    Pcre2Matches result;
    PCRE2_SIZE at = 0;
    while (at <= length) {
        int rc = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(text), length, at, 0, data.get(), nullptr);
        if (rc < 0)
            break;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
        ++result.count;
        result.offsetSum += ovector[0];
        at = ovector[1] > ovector[0] ? ovector[1] : ovector[0] + 1;
    }
    return result;
}

std::string Pcre2ReplaceAll(const char* pattern, const char* text, size_t length, const char* replacement,
                            uint32_t* count)
{
    Code code = Compile(pattern);
    std::string output(length + length / 4 + 64, '\0');
    const uint32_t options = PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;
    for (;;) {
        PCRE2_SIZE size = output.size();
        int rc = pcre2_substitute(code.get(), reinterpret_cast<PCRE2_SPTR>(text), length, 0, options, nullptr,
                                  nullptr, reinterpret_cast<PCRE2_SPTR>(replacement), PCRE2_ZERO_TERMINATED,
                                  reinterpret_cast<PCRE2_UCHAR*>(output.data()), &size);
        if (rc == PCRE2_ERROR_NOMEMORY) {
            output.resize(size);  // the size needed, terminator included
            continue;
        }
        if (rc < 0)
            throw std::runtime_error(std::string("PCRE2 cannot replace ") + pattern);
        output.resize(size);
        *count = static_cast<uint32_t>(rc);
        return output;
    }
}
