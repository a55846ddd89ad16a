#include "cli/command_line.h"

#include <cxxopts.hpp>

#include "base/version.h"
#include "gcode/number_text.h"

namespace veskaro {

namespace {

std::string ownership_line(int year) {
    return "Copyright (C) " + std::to_string(year) + " The VESKARO developers";
}

const char* yes_no(bool flag) { return flag ? "Yes" : "No"; }

template <typename T>
T value_of(const cxxopts::ParseResult& parsed, const char* name) {
    return parsed[name].as<T>();
}

void require_positive(float value, const char* option) {
    if (!(value > 0)) {
        throw OptionError(std::string("Option '") + option + "' must be greater than 0");
    }
}

cxxopts::Options make_options(const std::string& program_name, int year) {
    const std::string description = std::string("VESKARO G-Code Generator for Laser Engraving and CNC Routers (v.") +
                                    VERSION + ")\n" + ownership_line(year) + "\n\nWebsite: " + kWebsite + "\n";
    cxxopts::Options options(program_name, description);
    options.add_options("")
        ("j,json-file", "Project JSON file", cxxopts::value<std::string>(), "")
        ("o,output-directory", "Output folder", cxxopts::value<std::string>(), "")
        ("t,material-thickness", "Material thickness to cut in mm", cxxopts::value<float>(), "")
        ("b,box-height-3d", "Box height in 3D in mm", cxxopts::value<float>(), "")
        ("d,cut-depth-per-pass", "Depth per pass to cut in mm", cxxopts::value<float>(), "")
        ("m,bit-diameter", "Bit diameter in mm for drill size compensation",
         cxxopts::value<float>()->default_value("0"), "")
        ("z,outer-sizing", "Box sizes are for outside borders (inner area will be smaller)",
         cxxopts::value<bool>()->default_value("false"), "")
        ("r,recess-depth", "The depth of recess in mm (Default: no recess)",
         cxxopts::value<float>()->default_value("0"), "")
        ("f,feedrate", "Feedrate to use for axes", cxxopts::value<float>()->default_value("100"), "")
        ("l,outline", "Enable side outline cutting", cxxopts::value<bool>()->default_value("true"), "")
        ("c,components", "Enable component cutting", cxxopts::value<bool>()->default_value("true"), "")
        ("e,screw-size-top", "Screw diameter for top side in mm (Default: 0 - no screws)",
         cxxopts::value<float>()->default_value("0"), "")
        ("w,screw-size-bottom", "Screw diameter for bottom side in mm (Default: 0 - no screws)",
         cxxopts::value<float>()->default_value("0"), "")
        ("i,screw-head-diameter", "Screw head diameter in mm", cxxopts::value<float>()->default_value("0"), "")
        ("a,screw-head-height", "Screw head height in mm", cxxopts::value<float>()->default_value("0"), "")
        ("n,screw-extra-margin", "Screw extra margin in mm", cxxopts::value<float>()->default_value("0"), "")
        ("s,simulate", "Simulate, do not write NCs", cxxopts::value<bool>()->default_value("false"), "")
        ("h,help", "Show this help message and quit", cxxopts::value<bool>(), "");
    return options;
}

Arguments read_arguments(const cxxopts::ParseResult& parsed) {
    Arguments settings;
    settings.json_file = value_of<std::string>(parsed, "json-file");
    settings.output_directory = value_of<std::string>(parsed, "output-directory");
    settings.bit_diameter = value_of<float>(parsed, "bit-diameter");
    settings.material_thickness = value_of<float>(parsed, "material-thickness");
    settings.cut_depth_per_pass = value_of<float>(parsed, "cut-depth-per-pass");
    // Every pass loop steps down by the depth per pass.
    require_positive(settings.cut_depth_per_pass, "cut-depth-per-pass");
    settings.box_height_3d = value_of<float>(parsed, "box-height-3d");
    settings.feedrate = value_of<float>(parsed, "feedrate");
    // Controllers refuse a feed move at F0 or a negative feed.
    require_positive(settings.feedrate, "feedrate");
    settings.outer_sizing = value_of<bool>(parsed, "outer-sizing");
    settings.outline = value_of<bool>(parsed, "outline");
    settings.components = value_of<bool>(parsed, "components");
    settings.screw_size_top = value_of<float>(parsed, "screw-size-top");
    settings.screw_size_bottom = value_of<float>(parsed, "screw-size-bottom");
    settings.screw_head_diameter = value_of<float>(parsed, "screw-head-diameter");
    settings.screw_head_height = value_of<float>(parsed, "screw-head-height");
    settings.screw_extra_margin = value_of<float>(parsed, "screw-extra-margin");
    settings.recess_depth = value_of<float>(parsed, "recess-depth");
    settings.simulate = value_of<bool>(parsed, "simulate");

    // Recess circles and rows, and screw-head rings, step by the bit.  Any
    // recess depth but 0 switches the recesses on, but only a positive one
    // cuts a level, so only that needs a bit.
    if (!(settings.bit_diameter > 0)) {
        if (settings.recess_depth > 0) {
            throw OptionError("Option 'bit-diameter' must be greater than 0 when 'recess-depth' is "
                              "greater than 0 (recesses are cut one bit diameter apart)");
        }
        const bool screws = settings.screw_size_top > 0 || settings.screw_size_bottom > 0;
        if (screws && settings.screw_head_diameter - settings.bit_diameter / 2.0f > 0) {
            throw OptionError("Option 'bit-diameter' must be greater than 0 when screw-head recesses "
                              "are cut (they are cleared one bit diameter apart)");
        }
    }
    return settings;
}

}  // namespace

CommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name, int year) {
    CommandLine command_line;
    try {
        cxxopts::Options options = make_options(program_name, year);
        const cxxopts::ParseResult parsed = options.parse(argc, argv);
        if (parsed.count("help") > 0) {
            command_line.help = true;
            command_line.help_text = options.help();
            return command_line;
        }
        command_line.settings = read_arguments(parsed);
    } catch (const cxxopts::exceptions::exception& e) {
        throw OptionError(with_apostrophes(e.what()));
    }
    return command_line;
}

std::string with_apostrophes(const std::string& message) {
    // The parser quotes with typographic marks on some builds; option names
    // never contain them, so the marks around a name or value are found as
    // the first opening mark and the last closing one of each quoted part.
    static const std::string kOpen = "\xE2\x80\x98";   // left single quotation mark
    static const std::string kClose = "\xE2\x80\x99";  // right single quotation mark
    static const std::string kSecond = " but argument " + kOpen;
    std::string text = message;
    auto replace_at = [&text](std::size_t at, std::size_t length) {
        if (at != std::string::npos) text.replace(at, length, "'");
    };
    std::size_t second = text.find(kSecond);
    std::size_t end_of_first = second == std::string::npos ? text.size() : second;
    if (second != std::string::npos) {
        // "... but argument 'VALUE' given": the value is the last quoted part.
        replace_at(text.rfind(kClose), kClose.size());
        replace_at(second + kSecond.size() - kOpen.size(), kOpen.size());
    }
    const std::size_t close = text.rfind(kClose, end_of_first);
    const std::size_t open = text.find(kOpen);
    if (open != std::string::npos && close != std::string::npos && open < close) {
        text.replace(close, kClose.size(), "'");
        text.replace(open, kOpen.size(), "'");
    }
    return text;
}

void print_banner(std::ostream& out, int year) {
    out << "== VESKARO G-Code generator for Laser Engraving and CNC Routers ==" << std::endl;
    out << "== " << ownership_line(year) << " ==" << std::endl;
    out << "== Version: " << VERSION << " ==" << std::endl;
    out << std::endl;
    out << "== Website: " << kWebsite << " ==" << std::endl;
    out << std::endl;
}

// The depth per pass is reported twice, under two labels, as users of the
// program have always read it.
void print_settings_report(std::ostream& out, const Arguments& s) {
    auto number = [](float value) { return general_text(value); };
    out << "~~~~~ Settings ~~~~~" << std::endl;
    out << "Outer sizing enabled: " << yes_no(s.outer_sizing) << std::endl;
    out << "Components enabled: " << yes_no(s.components) << std::endl;
    out << "Side outline enabled: " << yes_no(s.outline) << std::endl;
    out << "Screw diameter top in mm: " << number(s.screw_size_top) << std::endl;
    out << "Screw diameter bottom in mm: " << number(s.screw_size_bottom) << std::endl;
    out << "Screw head diameter in mm: " << number(s.screw_head_diameter) << std::endl;
    out << "Screw head height in mm: " << number(s.screw_head_height) << std::endl;
    out << "Screw extra margin in mm: " << number(s.screw_extra_margin) << std::endl;
    out << "Recess depth in mm: " << number(s.recess_depth) << std::endl;
    out << "Feedrate: " << number(s.feedrate) << std::endl;
    out << "Bit diameter in mm: " << number(s.bit_diameter) << std::endl;
    out << "Material thickness in mm: " << number(s.material_thickness) << std::endl;
    out << "Depth per pass in mm: " << number(s.cut_depth_per_pass) << std::endl;
    out << "Box height in 3D in mm: " << number(s.box_height_3d) << std::endl;
    out << "Cut depth per pass in mm: " << number(s.cut_depth_per_pass) << std::endl;
    out << "Simulation enabled: " << yes_no(s.simulate) << std::endl;
    out << "======================" << std::endl;
}

}  // namespace veskaro
