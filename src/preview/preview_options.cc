#include "preview/preview_options.h"

#include <cxxopts.hpp>

namespace veskaro::preview {

namespace {

cxxopts::Options make_preview_options(const std::string& program_name) {
    cxxopts::Options options(program_name,
                             "Draws VESKARO face programs (.nc) as SVG pictures beside them and prints what each "
                             "program does.\nA folder stands for every .nc program in it and also gets an "
                             "index.html that shows them all.\n");
    options.positional_help("PATH...");
    options.add_options("")
        ("r,rapid-rate", "Speed of rapid (G0) moves in mm/min, for the time estimate",
         cxxopts::value<double>()->default_value("1000"), "")
        ("m,bit-diameter", "Draw cutting moves as wide as the bit, in mm (Default: 0 - thin lines); with "
         "--finished, the flat-end bit that cuts",
         cxxopts::value<double>()->default_value("0"), "")
        ("t,tsv", "Print the figures as tab-separated values, for scripts, instead of the summary lines",
         cxxopts::value<bool>()->default_value("false"), "")
        ("paths", "Programs (.nc) and folders of programs", cxxopts::value<std::vector<std::string>>(), "");
    add_finished_options(options);
    options.add_options("")
        ("h,help", "Show this help message and quit", cxxopts::value<bool>(), "")
        ("v,version", "Show the program's name and version and quit", cxxopts::value<bool>(), "");
    options.parse_positional({"paths"});
    return options;
}

PreviewSettings read_preview_settings(const cxxopts::ParseResult& parsed) {
    PreviewSettings settings;
    if (parsed.count("paths") > 0) settings.paths = parsed["paths"].as<std::vector<std::string>>();
    settings.rapid_rate = parsed["rapid-rate"].as<double>();
    settings.bit_diameter = parsed["bit-diameter"].as<double>();
    settings.tsv = parsed["tsv"].as<bool>();
    if (settings.paths.empty()) throw OptionError("no program or folder given");
    if (!(settings.rapid_rate > 0) || settings.rapid_rate > 1e9) {
        throw OptionError("Option 'rapid-rate' must be greater than 0");
    }
    if (!(settings.bit_diameter >= 0) || settings.bit_diameter > 1000) {
        throw OptionError("Option 'bit-diameter' must be between 0 and 1000");
    }
    const bool bit_given = parsed.count("bit-diameter") > 0;
    settings.finished = read_finished_settings(
        parsed, bit_given ? std::optional<double>(settings.bit_diameter) : std::nullopt, settings.tsv);
    return settings;
}

}  // namespace

CommandLine<PreviewSettings> read_preview_command_line(int argc, const char* const* argv,
                                                       const std::string& program_name) {
    cxxopts::Options options = make_preview_options(program_name);
    return parse_command_line<PreviewSettings>(options, argc, argv, read_preview_settings);
}

}  // namespace veskaro::preview
