// The options of veskaro-gcode, which veskaro-check takes too.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veskaro {

enum class OptionType { text, number, flag };

struct OptionRow {
    std::string short_name;  // "j"
    std::string long_name;   // "json-file"
    OptionType type;
    std::optional<std::string> default_value;  // a flag without one defaults to "false"
    std::string description;
};

// In the order of the help text.  The first five have no default: reading
// them when they were not given is an error.
std::vector<OptionRow> option_table();

}  // namespace veskaro
