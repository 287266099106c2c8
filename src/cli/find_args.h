// The choices of "tavaro find" and "tavaro replace" in the find window's
// terms: the target set (--target), the field (--field), and the mode word
// of the method (--method) and the pattern options (--options).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/project_args.h"

// The options with a value that both commands take besides those of
// ProjectArgsForm.
std::span<const std::string_view> FindValueOptions();

struct FindChoices {
    int32_t target = 0; // the find window's target index, 2 to 8
    int32_t field = 0;  // its field index, 0 to 4
    uint32_t mode = 0;  // its mode word: the method and the option bits
};

// The choices given in `args`, each defaulting as the synopsis says (all,
// text, contains). Nothing, with the problem in `error`, for an unknown
// word, for --options with a letter other than s, i and g, or with a
// method other than pattern.
std::optional<FindChoices> ReadFindChoices(const ProjectArgs& args, std::string& error);
