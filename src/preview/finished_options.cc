#include "preview/finished_options.h"

namespace veskaro::preview {

namespace {

std::optional<double> number_given(const ParsedOptions& parsed, const char* name) {
    if (!parsed.given(name)) return std::nullopt;
    return parsed.number(name);
}

}  // namespace

std::vector<OptionSpec> finished_options() {
    return {
        {"finished",
         "Also simulate each program's cut and draw the finished part beside its picture (<name>.finished.svg); "
         "needs --bit-diameter and --material-thickness",
         OptionValue::flag, "false"},
        {"material-thickness", "Thickness of the sheet in mm, for --finished; Z 0 is its top", OptionValue::number, {}},
        {"cell", "Cell of the simulated cut in mm, 0.005 to 1 and at most half the bit (Default: 0.05)",
         OptionValue::number, {}},
        {"min-wall", "Walls thinner than this between two through-cuts are findings, in mm (Default: 1)",
         OptionValue::number, {}},
        {"measure",
         "With --finished, print a tab-separated line per feature of the finished part instead of the summary lines",
         OptionValue::flag, "false"},
    };
}

FinishedSettings read_finished_settings(const ParsedOptions& parsed, std::optional<double> bit_diameter, bool tsv) {
    FinishedSettings s;
    s.on = parsed.flag("finished");
    s.measure = parsed.flag("measure");
    const std::optional<double> thickness = number_given(parsed, "material-thickness");
    const std::optional<double> cell = number_given(parsed, "cell");
    const std::optional<double> wall = number_given(parsed, "min-wall");
    if (!s.on) {
        for (const char* name : {"material-thickness", "cell", "min-wall", "measure"}) {
            if (parsed.given(name)) throw OptionError(std::string("Option '") + name + "' needs 'finished'");
        }
        return s;
    }
    if (!bit_diameter) throw OptionError("Option 'bit-diameter' must be given with 'finished'");
    if (!thickness) throw OptionError("Option 'material-thickness' must be given with 'finished'");
    if (s.measure && tsv) throw OptionError("Option 'measure' cannot be combined with 'tsv'");
    s.cut.bit_diameter = *bit_diameter;
    s.cut.thickness = *thickness;
    s.cut.cell = cell.value_or(simulate::default_cell(*bit_diameter));
    if (const std::optional<std::string> refusal = simulate::settings_refusal(s.cut)) throw OptionError(*refusal);
    if (wall) {
        if (!(*wall >= 0 && *wall <= 1000)) throw OptionError("Option 'min-wall' must be between 0 and 1000");
        s.minimum_wall = *wall;
    }
    return s;
}

}  // namespace veskaro::preview
