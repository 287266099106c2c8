#include "cli/regex_report.h"

#include "cli/escape_text.h"

std::string FormatRegexReport(int32_t count, const CStrRegexHitList& hits, const CStrRegexHistory& history,
                              std::optional<std::string_view> result)
{
    std::string out = "count " + std::to_string(count) + "\n";
    for (uint32_t i = 0; i < hits.GetCount(); ++i)
        out += "hit " + std::to_string(hits[i].offset) + " " + std::to_string(hits[i].length) + "\n";
    for (uint32_t k = 0; k < history.GetCount(); ++k) {
        out += "match " + std::to_string(k) + "\n";
        const CStrRegexMatchStruct& captures = history[k];
        for (uint32_t i = 0; i < captures.GetCount(); ++i) {
            const CStr_base<16384>& capture = captures[i];
            out += "cap " + std::to_string(i) + " " +
                   QuoteCp932(std::string_view(capture.GetBuffer(), capture.GetLength())) + "\n";
        }
    }
    if (result)
        out += "result " + QuoteCp932(*result) + "\n";
    return out;
}
