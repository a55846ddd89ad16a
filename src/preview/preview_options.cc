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
        ("m,bit-diameter", "Draw cutting moves as wide as the bit, in mm (Default: 0 - thin lines)",
         cxxopts::value<double>()->default_value("0"), "")
        ("t,tsv", "Print the figures as tab-separated values, for scripts, instead of the summary lines",
         cxxopts::value<bool>()->default_value("false"), "")
        ("paths", "Programs (.nc) and folders of programs", cxxopts::value<std::vector<std::string>>(), "")
        ("h,help", "Show this help message and quit", cxxopts::value<bool>(), "");
    options.parse_positional({"paths"});
    return options;
}

PreviewSettings read_preview_settings(const cxxopts::ParseResult& parsed) {
    PreviewSettings settings;
    if (parsed.count("paths") > 0) settings.paths = parsed["paths"].as<std::vector<std::string>>();
    settings.rapid_rate = parsed["rapid-rate"].as<double>();
    settings.bit_diameter = parsed["bit-diameter"].as<double>();
    settings.tsv = parsed["tsv"].as<bool>();
    if (settings.paths.empty()) throw PreviewOptionError("no program or folder given");
    if (!(settings.rapid_rate > 0) || settings.rapid_rate > 1e9) {
        throw PreviewOptionError("Option 'rapid-rate' must be greater than 0");
    }
    if (!(settings.bit_diameter >= 0) || settings.bit_diameter > 1000) {
        throw PreviewOptionError("Option 'bit-diameter' must be between 0 and 1000");
    }
    return settings;
}

}  // namespace

PreviewCommandLine read_preview_command_line(int argc, const char* const* argv, const std::string& program_name) {
    PreviewCommandLine command_line;
    try {
        cxxopts::Options options = make_preview_options(program_name);
        const cxxopts::ParseResult parsed = options.parse(argc, argv);
        if (parsed.count("help") > 0) {
            command_line.help = true;
            command_line.help_text = options.help();
            return command_line;
        }
        command_line.settings = read_preview_settings(parsed);
    } catch (const cxxopts::exceptions::exception& e) {
        throw PreviewOptionError(e.what());
    }
    return command_line;
}

}  // namespace veskaro::preview
