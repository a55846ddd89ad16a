#include "preview/preview_options.h"

namespace veskaro::preview {

namespace {

OptionSet preview_options(const std::string& program_name) {
    OptionSet set{
        program_name,
        "Draws VESKARO face programs (.nc) as SVG pictures beside them and prints what each program does.\nA folder "
        "stands for every .nc program in it and also gets an index.html that shows them all.\n",
        {
            {"r,rapid-rate", "Speed of rapid (G0) moves in mm/min, for the time estimate", OptionValue::number, "1000"},
            {"m,bit-diameter",
             "Draw cutting moves as wide as the bit, in mm (Default: 0 - thin lines); with --finished, the flat-end "
             "bit that cuts",
             OptionValue::number, "0"},
            {"t,tsv", "Print the figures as tab-separated values, for scripts, instead of the summary lines",
             OptionValue::flag, "false"},
            {"paths", "Programs (.nc) and folders of programs", OptionValue::texts, {}},
        },
        "paths",
        "PATH...",
    };
    for (OptionSpec& option : finished_options()) set.options.push_back(std::move(option));
    set.options.push_back(help_option());
    set.options.push_back(version_option());
    return set;
}

PreviewSettings read_preview_settings(const ParsedOptions& parsed) {
    PreviewSettings settings;
    if (parsed.given("paths")) settings.paths = parsed.texts("paths");
    settings.rapid_rate = parsed.number("rapid-rate");
    settings.bit_diameter = parsed.number("bit-diameter");
    settings.tsv = parsed.flag("tsv");
    if (settings.paths.empty()) throw OptionError("no program or folder given");
    if (!(settings.rapid_rate > 0) || settings.rapid_rate > 1e9) {
        throw OptionError("Option 'rapid-rate' must be greater than 0");
    }
    if (!(settings.bit_diameter >= 0) || settings.bit_diameter > 1000) {
        throw OptionError("Option 'bit-diameter' must be between 0 and 1000");
    }
    settings.finished = read_finished_settings(
        parsed, parsed.given("bit-diameter") ? std::optional<double>(settings.bit_diameter) : std::nullopt,
        settings.tsv);
    return settings;
}

}  // namespace

CommandLine<PreviewSettings> read_preview_command_line(int argc, const char* const* argv,
                                                       const std::string& program_name) {
    return parse_command_line<PreviewSettings>(preview_options(program_name), argc, argv, read_preview_settings);
}

}  // namespace veskaro::preview
