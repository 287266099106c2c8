#include "cli/project_args.h"

#include <sysexits.h>

#include <algorithm>

#include "cli/cp932_operand.h"
#include "foundation/sjis_literal.h"

bool ProjectArgs::Has(std::string_view option) const
{
    return std::find(switches.begin(), switches.end(), option) != switches.end();
}

const std::string* ProjectArgs::Value(std::string_view option) const
{
    for (auto at = values.rbegin(); at != values.rend(); ++at)
        if (at->first == option)
            return &at->second;
    return nullptr;
}

namespace {

bool Allowed(std::span<const std::string_view> options, std::string_view arg)
{
    return std::find(options.begin(), options.end(), arg) != options.end();
}

// FILE and the operands of `form` from the arguments that are no options.
bool TakeOperands(std::vector<std::string>& given, const ProjectArgsForm& form, ProjectArgs& parsed,
                  std::string& error)
{
    const size_t wanted = 1 + form.operands.size();
    if (given.size() > wanted) {
        error = form.operands.empty() ? "only one FILE may be given" : "unexpected argument \"" + given[wanted] + "\"";
        return false;
    }
    if (given.size() < wanted) {
        error = std::string(given.empty() ? "FILE" : form.operands[given.size() - 1]) + " is missing";
        return false;
    }
    parsed.file = std::move(given[0]);
    parsed.operands.assign(std::make_move_iterator(given.begin() + 1), std::make_move_iterator(given.end()));
    return true;
}

} // namespace

std::optional<ProjectArgs> ParseProjectArgs(std::span<const std::string_view> args, const ProjectArgsForm& form,
                                            std::string& error)
{
    ProjectArgs parsed;
    parsed.rule = SJ("標準 ベータ版(040318)");
    parsed.name = SJ("無題");
    std::vector<std::string> given;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool option = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!option) {
            given.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            parsed.help = true;
            return parsed;
        } else if (form.openOptions && arg == "--include-elements") {
            parsed.includeElements = true;
        } else if (form.writeOptions && arg == "--continue-without-backup") {
            parsed.continueWithoutBackup = true;
        } else if (Allowed(form.switches, arg)) {
            parsed.switches.push_back(arg);
        } else if (Allowed(form.valueOptions, arg)) {
            if (i + 1 >= args.size()) {
                error = std::string(arg) + " needs a value";
                return std::nullopt;
            }
            parsed.values.emplace_back(*std::find(form.valueOptions.begin(), form.valueOptions.end(), arg),
                                       std::string(args[++i]));
        } else if ((form.openOptions && (arg == "--rule" || arg == "--name")) || (form.writeOptions && arg == "-o")) {
            if (i + 1 >= args.size()) {
                error = std::string(arg) + " needs a value";
                return std::nullopt;
            }
            const std::string_view value = args[++i];
            if (arg == "-o") {
                if (value.empty()) {
                    error = "-o needs the name of a file, not an empty one";
                    return std::nullopt;
                }
                parsed.output = std::string(value);
            } else {
                std::string problem;
                std::optional<std::string> text = Cp932Operand(value, problem);
                if (!text) {
                    error = std::string(arg) + " " + problem;
                    return std::nullopt;
                }
                (arg == "--rule" ? parsed.rule : parsed.name) = std::move(*text);
            }
        } else {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
    }
    if (!TakeOperands(given, form, parsed, error))
        return std::nullopt;
    return parsed;
}

int ExplainUsage(const ProjectArgsForm& form, std::string_view error, std::ostream& err)
{
    err << form.command << ": " << error << "\n" << form.usage << "Try \"" << form.command << " --help\".\n";
    return EX_USAGE;
}

std::optional<ProjectArgs> ParseOrExplain(std::span<const std::string_view> args, const ProjectArgsForm& form,
                                          std::ostream& out, std::ostream& err, int& status)
{
    std::string error;
    std::optional<ProjectArgs> parsed = ParseProjectArgs(args, form, error);
    if (!parsed) {
        status = ExplainUsage(form, error, err);
        return std::nullopt;
    }
    if (parsed->help) {
        out << form.help;
        status = 0;
        return std::nullopt;
    }
    return parsed;
}
