#include "cli/regex_command.h"

#include <sysexits.h>

#include <cstring>
#include <optional>
#include <string>

#include "cli/budget_message.h"
#include "cli/file_bytes.h"
#include "cli/regex_args.h"
#include "cli/regex_report.h"
#include "pattern/str_regex.h"

namespace {

// The report of the pattern over `subject`, or nothing when the pattern
// went over `budget`.
std::optional<std::string> RunPattern(const RegexArgs& args, CStr_base<16384>& subject, CStrRegexBudget& budget)
{
    CStrRegexMatchStruct captures;
    CStrRegexHistory history;
    CStrRegexHitList hits;
    if (args.plain) {
        const int32_t count = StrRegex(subject.GetBuffer(), args.pattern.c_str(), args.options.c_str(), &captures,
                                       &history, &hits, {}, &budget);
        if (count == kStrRegexStopped)
            return std::nullopt;
        return FormatRegexReport(count, hits, history, std::nullopt);
    }
    const char* replace = args.replace ? args.replace->c_str() : nullptr;
    const int32_t count = subject.Regex(args.pattern.c_str(), args.options.c_str(), &captures, replace, &history, 0,
                                        &hits, {}, &budget);
    if (count == kStrRegexStopped)
        return std::nullopt;
    std::optional<std::string_view> result;
    if (replace)
        result = std::string_view(subject.GetBuffer(), subject.GetLength());
    return FormatRegexReport(count, hits, history, result);
}

}  // namespace

int RunRegexCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    std::string error;
    std::optional<RegexArgs> parsed = ParseRegexArgs(args, error);
    if (!parsed) {
        err << "tavaro regex: " << error << "\n" << RegexUsage() << "Try \"tavaro regex --help\".\n";
        return EX_USAGE;
    }
    if (parsed->help) {
        out << RegexHelp();
        return 0;
    }
    // The file comes straight into the string the pattern runs over.
    CStr_base<16384> subject;
    if (parsed->file) {
        if (!ReadFileBytes(*parsed->file, subject, error)) {
            err << "tavaro regex: cannot read " << *parsed->file << ": " << error << "\n";
            return EX_NOINPUT;
        }
        if (const void* zero = std::memchr(subject.GetBuffer(), 0, subject.GetLength())) {
            err << "tavaro regex: " << *parsed->file << " holds a zero byte at offset "
                << static_cast<const char*>(zero) - subject.GetBuffer()
                << "; the engine's texts end at the first zero byte, so the file cannot be searched whole\n";
            return EX_DATAERR;
        }
    } else {
        subject.Assign(parsed->text.c_str());
    }
    CStrRegexBudget budget;
    const std::optional<std::string> report = RunPattern(*parsed, subject, budget);
    if (!report) {
        err << "tavaro regex: " << OverBudgetMessage(budget) << "\n";
        return EX_DATAERR;
    }
    out << *report;
    return 0;
}
