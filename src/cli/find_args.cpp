#include "cli/find_args.h"

#include <array>
#include <utility>

#include "editing/find_methods.h"
#include "editing/find_targets.h"

namespace {

constexpr std::string_view kValueOptions[] = {"--target", "--field", "--method", "--options"};

template <size_t N>
using Words = std::array<std::pair<std::string_view, int32_t>, N>;

constexpr Words<7> kTargets = {{
    {"items", kFindItems},
    {"events", kFindEvents},
    {"functions", kFindFunctions},
    {"others", kFindOthers},
    {"items-events", kFindItemsEvents},
    {"not-items-events", kFindNotItemsEvents},
    {"all", kFindAll},
}};

constexpr Words<5> kFields = {{
    {"text", kFindFullText},
    {"script", kFindScript},
    {"code", kFindCode},
    {"no", kFindNo},
    {"name", kFindName},
}};

constexpr Words<5> kMethods = {{
    {"exact", kFindExact},
    {"prefix", kFindPrefix},
    {"contains", kFindContains},
    {"wildcard", kFindWildcard},
    {"pattern", kFindPattern},
}};

// The value of `option` in `words`, `fallback` when it was not given;
// nothing for a word not in the list, with the list in `error`.
template <size_t N>
std::optional<int32_t> Choose(const ProjectArgs& args, std::string_view option, const Words<N>& words,
                              int32_t fallback, std::string& error)
{
    const std::string* given = args.Value(option);
    if (!given)
        return fallback;
    for (const auto& [word, value] : words)
        if (*given == word)
            return value;
    error = std::string(option) + " takes ";
    for (size_t i = 0; i < N; ++i)
        error += std::string(words[i].first) + (i + 2 < N ? ", " : i + 2 == N ? " or " : "");
    error += ", not \"" + *given + "\"";
    return std::nullopt;
}

// The option bits of the letters of --options.
std::optional<uint32_t> OptionBits(const std::string& letters, std::string& error)
{
    uint32_t bits = 0;
    for (const char letter : letters) {
        if (letter == 's')
            bits |= kFindOptionSerial;
        else if (letter == 'i')
            bits |= kFindOptionIgnoreCase;
        else if (letter == 'g')
            bits |= kFindOptionRepeat;
        else {
            error = "--options " + letters + ": the letters are s, i and g";
            return std::nullopt;
        }
    }
    return bits;
}

} // namespace

std::span<const std::string_view> FindValueOptions()
{
    return kValueOptions;
}

std::optional<FindChoices> ReadFindChoices(const ProjectArgs& args, std::string& error)
{
    const std::optional<int32_t> target = Choose(args, "--target", kTargets, kFindAll, error);
    if (!target)
        return std::nullopt;
    const std::optional<int32_t> field = Choose(args, "--field", kFields, kFindFullText, error);
    if (!field)
        return std::nullopt;
    const std::optional<int32_t> method = Choose(args, "--method", kMethods, kFindContains, error);
    if (!method)
        return std::nullopt;
    uint32_t bits = 0;
    if (const std::string* letters = args.Value("--options")) {
        if (*method != kFindPattern) {
            error = "--options goes only with --method pattern";
            return std::nullopt;
        }
        const std::optional<uint32_t> given = OptionBits(*letters, error);
        if (!given)
            return std::nullopt;
        bits = *given;
    }
    return FindChoices{.target = *target, .field = *field, .mode = static_cast<uint32_t>(*method) | bits};
}
