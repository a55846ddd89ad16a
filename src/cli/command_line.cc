#include "cli/command_line.h"

#include "base/version.h"
#include "cli/option_table.h"
#include "cli/stray_arguments.h"
#include "gcode/number_text.h"

namespace veskaro {

namespace {

std::string ownership_line(int year) {
    return "Copyright (C) " + std::to_string(year) + " The VESKARO developers";
}

const char* yes_no(bool flag) { return flag ? "Yes" : "No"; }

template <typename T>
T value_of(const ParsedOptions& parsed, const char* name);

template <>
std::string value_of<std::string>(const ParsedOptions& parsed, const char* name) {
    return parsed.text(name);
}

template <>
float value_of<float>(const ParsedOptions& parsed, const char* name) {
    return parsed.single_number(name);
}

template <>
bool value_of<bool>(const ParsedOptions& parsed, const char* name) {
    return parsed.flag(name);
}

void require_positive(float value, const char* option) {
    if (!(value > 0)) {
        throw OptionError(std::string("Option '") + option + "' must be greater than 0");
    }
}

// The programs write the feed rate with two decimals; one that rounds to
// F0.00 is a feed of 0 to the controller.
void require_written_feed(float feedrate) {
    std::string text;
    append_fixed2(text, feedrate);
    if (text == "0.00") {
        throw OptionError("Option 'feedrate' would be written as F0.00 (the programs write it with two "
                          "decimals); it must round to 0.01 or more");
    }
}

OptionSet make_options(const std::string& program_name, const std::string& description, bool with_version) {
    OptionSet options{program_name, description, {}, {}, {}};
    for (const OptionRow& row : option_table()) {
        OptionValue value = OptionValue::flag;
        switch (row.type) {
            case OptionType::text: value = OptionValue::text; break;
            case OptionType::number: value = OptionValue::single_number; break;
            case OptionType::flag: value = OptionValue::flag; break;
        }
        options.options.push_back({row.short_name + "," + row.long_name, row.description, value, row.default_value});
    }
    if (with_version) options.options.push_back(version_option());
    return options;
}

// Recess circles and rows, and screw-head rings, step by the bit.  Any
// recess depth but 0 switches the recesses on, but only a positive one cuts
// a level, so only that needs a bit.
void require_bit_for_rings(const Arguments& settings) {
    if (settings.bit_diameter > 0) return;
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

Arguments read_arguments(const ParsedOptions& parsed) {
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
    require_written_feed(settings.feedrate);
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

    require_bit_for_rings(settings);
    return settings;
}

}  // namespace

std::string generator_description(int year) {
    return std::string("VESKARO G-Code Generator for Laser Engraving and CNC Routers (v.") + VERSION + ")\n" +
           ownership_line(year) + "\n\nWebsite: " + kWebsite + "\n";
}

GeneratorCommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name,
                                       const std::string& description, bool with_version) {
    const OptionSet options = make_options(program_name, description, with_version);
    return parse_command_line<Arguments>(options, argc, argv, [&](const ParsedOptions& parsed) {
        refuse_stray_arguments(parsed.unmatched(), argc, argv, option_table());
        return read_arguments(parsed);
    });
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
