#include "options/command_line.h"

#include "gcode/number_text.h"
#include "gcode/screw_layout.h"
#include "options/stray_arguments.h"

namespace veskaro {

namespace {

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

// The generator's rows with a program's own ones before "help", the last.
std::vector<OptionRow> rows_with(const std::vector<OptionRow>& own_rows) {
    std::vector<OptionRow> rows = option_table();
    rows.insert(rows.end() - 1, own_rows.begin(), own_rows.end());
    return rows;
}

OptionSet make_options(const std::string& program_name, const std::string& description,
                       const std::vector<OptionRow>& rows, bool with_version) {
    OptionSet options{program_name, description, {}, {}, {}};
    for (const OptionRow& row : rows) {
        OptionValue value = OptionValue::flag;
        switch (row.type) {
            case OptionType::text: value = OptionValue::text; break;
            case OptionType::number: value = OptionValue::single_number; break;
            case OptionType::flag: value = OptionValue::flag; break;
        }
        const std::string names = row.short_name.empty() ? row.long_name : row.short_name + "," + row.long_name;
        options.options.push_back({names, row.description, value, row.default_value});
    }
    if (with_version) options.options.push_back(version_option());
    // The generator's command line is prescribed: it takes the last of an
    // option given twice.  A program whose help is its own refuses it.
    options.refuse_repeats = with_version;
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
    if (screw_diameter(settings) > 0 && effective_head_diameter(settings) > 0) {
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

GeneratorCommandLine read_rows(int argc, const char* const* argv, const std::string& program_name,
                               const std::string& description, const std::vector<OptionRow>& own_rows,
                               std::vector<float>& own_values, bool with_version) {
    const std::vector<OptionRow> rows = rows_with(own_rows);
    const OptionSet options = make_options(program_name, description, rows, with_version);
    return parse_command_line<Arguments>(options, argc, argv, [&](const ParsedOptions& parsed) {
        refuse_stray_arguments(parsed.unmatched(), argc, argv, rows);
        Arguments settings = read_arguments(parsed);
        for (const OptionRow& row : own_rows) own_values.push_back(value_of<float>(parsed, row.long_name.c_str()));
        return settings;
    });
}

}  // namespace

GeneratorCommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name,
                                       const std::string& description) {
    std::vector<float> none;
    return read_rows(argc, argv, program_name, description, {}, none, false);
}

GeneratorCommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name,
                                       const std::string& description, const std::vector<OptionRow>& own_rows,
                                       std::vector<float>& own_values) {
    return read_rows(argc, argv, program_name, description, own_rows, own_values, true);
}

}  // namespace veskaro
