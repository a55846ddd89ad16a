#include "post/post_options.h"

#include <algorithm>

#include "base/decimal_text.h"
#include "post/plain_number.h"
#include "toolpath/line_words.h"

namespace veskaro::post {

namespace {

// Values are written with four decimals, and must be numbers the program
// reader takes.
constexpr double kSmallestValue = 1e-4;
constexpr double kLargestValue = toolpath::kLargestNumber;

// The short names of the words post adds are the G-code letters they write
// (S, P), in capitals: the generator's -s and -d mean simulate and depth
// per pass, and one typed for the other must not be taken.
OptionSet post_options(const std::string& program_name) {
    OptionSet set{
        program_name,
        "Rewrites VESKARO face programs (.nc) so that a LinuxCNC or GRBL controller accepts them as they are, "
        "with the same motion.\nA folder stands for every program in it. Without --output-directory the programs "
        "go to a folder named after the controller beside them.\n",
        {
            {"c,controller", "The controller that runs the programs: linuxcnc (.ngc files) or grbl (.nc files)",
             OptionValue::text, {}},
            {"o,output-directory", "Folder for the programs", OptionValue::text, {}},
            {"S,spindle",
             "Start the spindle at this speed (router) or power (laser) before the first cut and stop it at the end",
             OptionValue::number, {}},
            {"P,dwell", "Seconds to wait after the spindle start", OptionValue::number, {}},
            {"p,plunge-feed", "Feed rate in mm/min of the cutting moves along Z only; the other moves keep their own",
             OptionValue::number, {}},
            {"paths", "Programs (.nc, .ngc) and folders of programs", OptionValue::texts, {}},
            help_option(),
            version_option(),
        },
        "paths",
        "PATH...",
    };
    // The finishing options before the paths, the help and the version.
    const std::vector<OptionSpec> finishing = finish_option_specs();
    const auto paths = std::find_if(set.options.begin(), set.options.end(),
                                    [](const OptionSpec& spec) { return spec.names == "paths"; });
    set.options.insert(paths, finishing.begin(), finishing.end());
    return set;
}

std::optional<double> value_in_range(const ParsedOptions& parsed, const std::string& name) {
    if (!parsed.given(name)) return std::nullopt;
    const double value = parsed.number(name);
    if (!(value >= kSmallestValue && value <= kLargestValue)) {
        throw OptionError("Option '" + name + "' must be between " + trimmed_decimals(kSmallestValue, kPlainDecimals) +
                          " and " + trimmed_decimals(kLargestValue, kPlainDecimals));
    }
    return value;
}

PostSettings read_post_settings(const ParsedOptions& parsed) {
    PostSettings settings;
    const std::optional<Controller> controller = controller_named(parsed.text("controller"));
    if (!controller) throw OptionError("Option 'controller' must be 'linuxcnc' or 'grbl'");
    settings.post.controller = *controller;
    settings.post.spindle = value_in_range(parsed, "spindle");
    settings.post.dwell = value_in_range(parsed, "dwell");
    settings.post.plunge_feed = value_in_range(parsed, "plunge-feed");
    settings.finish = read_finish_options(parsed);
    if (parsed.given("output-directory")) settings.output_directory = parsed.text("output-directory");
    if (parsed.given("paths")) settings.paths = parsed.texts("paths");
    if (settings.paths.empty()) throw OptionError("no program or folder given");
    return settings;
}

}  // namespace

CommandLine<PostSettings> read_post_command_line(int argc, const char* const* argv, const std::string& program_name) {
    return parse_command_line<PostSettings>(post_options(program_name), argc, argv, read_post_settings);
}

}  // namespace veskaro::post
