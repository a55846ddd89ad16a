#include "options/option_table.h"

#include <sstream>
#include <string_view>

namespace veskaro {

namespace {

// Short name, long name, type, default ("-" for none) and description, one
// option a line.
constexpr std::string_view kTable = R"(
j  json-file            text    -      Project JSON file
o  output-directory     text    -      Output folder
t  material-thickness   number  -      Material thickness to cut in mm
b  box-height-3d        number  -      Box height in 3D in mm
d  cut-depth-per-pass   number  -      Depth per pass to cut in mm
m  bit-diameter         number  0      Bit diameter in mm for drill size compensation
z  outer-sizing         flag    false  Box sizes are for outside borders (inner area will be smaller)
r  recess-depth         number  0      The depth of recess in mm (Default: no recess)
f  feedrate             number  100    Feedrate to use for axes
l  outline              flag    true   Enable side outline cutting
c  components           flag    true   Enable component cutting
e  screw-size-top       number  0      Screw diameter for top side in mm (Default: 0 - no screws)
w  screw-size-bottom    number  0      Screw diameter for bottom side in mm (Default: 0 - no screws)
i  screw-head-diameter  number  0      Screw head diameter in mm
a  screw-head-height    number  0      Screw head height in mm
n  screw-extra-margin   number  0      Screw extra margin in mm
s  simulate             flag    false  Simulate, do not write NCs
h  help                 flag    -      Show this help message and quit
)";

OptionType type_named(const std::string& name) {
    if (name == "text") return OptionType::text;
    if (name == "number") return OptionType::number;
    return OptionType::flag;
}

}  // namespace

std::vector<OptionRow> option_table() {
    std::vector<OptionRow> rows;
    std::istringstream lines{std::string(kTable)};
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        OptionRow row;
        std::string type;
        std::string default_value;
        fields >> row.short_name >> row.long_name >> type >> default_value >> std::ws;
        std::getline(fields, row.description);
        row.type = type_named(type);
        if (default_value != "-") row.default_value = default_value;
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace veskaro
