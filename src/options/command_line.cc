#include "options/command_line.h"

#include <cxxopts.hpp>

#include "gcode/number_text.h"
#include "gcode/screw_layout.h"
#include "options/option_number.h"
#include "options/stray_arguments.h"

namespace veskaro {

namespace {

// A size or feed rate option.  The parser reads it through parse_value()
// below, which it finds by argument-dependent lookup in place of its own
// reading of a float.
struct NumberOption {
    float value = 0;
};

// A refusal here reads as the parser's own: "Argument '1,5' failed to parse".
void parse_value(const std::string& text, NumberOption& number) {
    if (!read_whole_number(text, number.value)) throw cxxopts::exceptions::incorrect_argument_type(text);
}

template <typename T>
T value_of(const cxxopts::ParseResult& parsed, const char* name) {
    return parsed[name].as<T>();
}

template <>
float value_of<float>(const cxxopts::ParseResult& parsed, const char* name) {
    return parsed[name].as<NumberOption>().value;
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

cxxopts::Options make_options(const std::string& program_name, const std::string& description,
                              const std::vector<OptionRow>& rows) {
    cxxopts::Options options(program_name, description);
    for (const OptionRow& row : rows) {
        std::shared_ptr<cxxopts::Value> value;
        switch (row.type) {
            case OptionType::text: value = cxxopts::value<std::string>(); break;
            case OptionType::number: value = cxxopts::value<NumberOption>(); break;
            case OptionType::flag: value = cxxopts::value<bool>(); break;
        }
        if (row.default_value) value->default_value(*row.default_value);
        const std::string names = row.short_name.empty() ? row.long_name : row.short_name + "," + row.long_name;
        options.add_options("")(names, row.description, value, "");
    }
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

GeneratorCommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name,
                                       const std::string& description) {
    std::vector<float> none;
    return read_command_line(argc, argv, program_name, description, {}, none);
}

GeneratorCommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name,
                                       const std::string& description, const std::vector<OptionRow>& own_rows,
                                       std::vector<float>& own_values) {
    const std::vector<OptionRow> rows = rows_with(own_rows);
    cxxopts::Options options = make_options(program_name, description, rows);
    return parse_command_line<Arguments>(options, argc, argv, [&](const cxxopts::ParseResult& parsed) {
        refuse_stray_arguments(parsed.unmatched(), argc, argv, rows);
        Arguments settings = read_arguments(parsed);
        for (const OptionRow& row : own_rows) own_values.push_back(value_of<float>(parsed, row.long_name.c_str()));
        return settings;
    });
}

}  // namespace veskaro
