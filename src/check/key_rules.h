// Keys the project gives and the generator never reads: a slip of the
// keyboard such as "drill_diamter" leaves the opening uncut without a word.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "check/findings.h"
#include "project/project_values.h"

namespace veskaro::check {

// The text with ASCII letters in lower case, for comparing names without
// their letter case.
std::string lower_case(std::string_view text);

// The known key that `key` was most likely meant to be: within a few
// keystrokes of it (letter case aside), or the word after its last "_"
// ("width" for "drill_width").  Empty when none is that close.
std::string_view nearest_key(std::string_view key, std::span<const char* const> known);

// Reports every key of `object` that is not in `known`: a warning naming the
// key it was likely meant to be, or a note that it is not read.  `owner` is
// said after the key (" in \"Generic\"") or empty.
void check_keys(const Json& object, std::span<const char* const> known, const std::string& where,
                std::string_view owner, Findings& findings);

}  // namespace veskaro::check
