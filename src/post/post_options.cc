#include "post/post_options.h"

#include <cxxopts.hpp>

#include "base/option_number.h"
#include "post/plain_number.h"
#include "toolpath/line_words.h"

namespace veskaro::post {

namespace {

// Values are written with four decimals, and must be numbers the program
// reader takes.
constexpr double kSmallestValue = 0.0001;
constexpr double kLargestValue = toolpath::kLargestNumber;

cxxopts::Options make_post_options(const std::string& program_name) {
    cxxopts::Options options(
        program_name,
        "Rewrites VESKARO face programs (.nc) so that a LinuxCNC or GRBL controller accepts them as they are, "
        "with the same motion.\nA folder stands for every program in it. Without --output-directory the programs "
        "go to a folder named after the controller beside them.\n");
    options.positional_help("PATH...");
    options.add_options("")
        ("c,controller", "The controller that runs the programs: linuxcnc (.ngc files) or grbl (.nc files)",
         cxxopts::value<std::string>(), "")
        ("o,output-directory", "Folder for the programs", cxxopts::value<std::string>(), "")
        ("s,spindle", "Start the spindle at this speed (router) or power (laser) before the first cut and stop it "
         "at the end", cxxopts::value<NumberOption<double>>(), "")
        ("d,dwell", "Seconds to wait after the spindle start", cxxopts::value<NumberOption<double>>(), "")
        ("p,plunge-feed", "Feed rate in mm/min of the cutting moves along Z only; the other moves keep their own",
         cxxopts::value<NumberOption<double>>(), "")
        ("paths", "Programs (.nc, .ngc) and folders of programs", cxxopts::value<std::vector<std::string>>(), "")
        ("h,help", "Show this help message and quit", cxxopts::value<bool>(), "")
        ("v,version", "Show the program's name and version and quit", cxxopts::value<bool>(), "");
    options.parse_positional({"paths"});
    return options;
}

std::optional<double> value_in_range(const cxxopts::ParseResult& parsed, const std::string& name) {
    if (parsed.count(name) == 0) return std::nullopt;
    const double value = parsed[name].as<NumberOption<double>>().value;
    if (!(value >= kSmallestValue && value <= kLargestValue)) {
        throw OptionError("Option '" + name + "' must be between " + plain_decimal(kSmallestValue) + " and " +
                          plain_decimal(kLargestValue));
    }
    return value;
}

PostSettings read_post_settings(const cxxopts::ParseResult& parsed) {
    PostSettings settings;
    const std::optional<Controller> controller = controller_named(parsed["controller"].as<std::string>());
    if (!controller) throw OptionError("Option 'controller' must be 'linuxcnc' or 'grbl'");
    settings.post.controller = *controller;
    settings.post.spindle = value_in_range(parsed, "spindle");
    settings.post.dwell = value_in_range(parsed, "dwell");
    settings.post.plunge_feed = value_in_range(parsed, "plunge-feed");
    if (parsed.count("output-directory") > 0) settings.output_directory = parsed["output-directory"].as<std::string>();
    if (parsed.count("paths") > 0) settings.paths = parsed["paths"].as<std::vector<std::string>>();
    if (settings.paths.empty()) throw OptionError("no program or folder given");
    return settings;
}

}  // namespace

CommandLine<PostSettings> read_post_command_line(int argc, const char* const* argv, const std::string& program_name) {
    cxxopts::Options options = make_post_options(program_name);
    return parse_command_line<PostSettings>(options, argc, argv, read_post_settings);
}

}  // namespace veskaro::post
