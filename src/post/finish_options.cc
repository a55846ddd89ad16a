#include "post/finish_options.h"

#include <algorithm>
#include <string>

#include "base/decimal_text.h"
#include "base/option_number.h"

namespace veskaro::post {

namespace {

// Beyond these a value is a typing error: no bit, tab or gap is a metre,
// and a program on a sheet larger than ten metres is refused by the
// simulation that proves it.
constexpr double kLargestLength = 1000;
constexpr double kLargestSheet = 10000;
constexpr int kMostTabs = 1000;

// The gap between panels when none is given: twice the bit, so that the
// stock between two cuts is as wide as two of them, and never below 3 mm.
constexpr double kSmallestDefaultGap = 3;

std::string quoted(const std::string& text) { return "'" + text + "'"; }

std::string shown(double value) { return trimmed_decimals(value, 4); }

double length(const ParsedOptions& parsed, const std::string& name, double fallback, bool zero_allowed) {
    if (!parsed.given(name)) return fallback;
    const double value = parsed.number(name);
    const bool low_ok = zero_allowed ? value >= 0 : value > 0;
    if (!(low_ok && value <= kLargestLength)) {
        throw OptionError("Option '" + name + "' must be " + (zero_allowed ? "from 0" : "above 0") + " to " +
                          shown(kLargestLength) + " mm, not " + shown(value));
    }
    return value;
}

// A count is digits alone: "4", not "4.5", "-1" or "four".
int tab_count(const ParsedOptions& parsed) {
    if (!parsed.given("tabs")) return 0;
    const std::string text = parsed.text("tabs");
    const bool digits = !text.empty() && text.size() <= 4 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    int count = digits ? 0 : -1;
    if (digits) {
        for (char c : text) count = count * 10 + (c - '0');
    }
    if (count < 0 || count > kMostTabs) {
        throw OptionError("Option 'tabs' must be a whole number from 0 to " + std::to_string(kMostTabs) + ", not " +
                          quoted(text));
    }
    return count;
}

// "600x400": two numbers above 0 joined by an x, each the whole text of a
// number.
SheetSize sheet_size(const std::string& text) {
    const std::size_t x = text.find('x');
    SheetSize size;
    size.text = text;
    const bool read = x != std::string::npos && read_whole_number(text.substr(0, x), size.width) &&
                      read_whole_number(text.substr(x + 1), size.height);
    const auto fits = [](double side) { return side > 0 && side <= kLargestSheet; };
    if (!read || !fits(size.width) || !fits(size.height)) {
        throw OptionError("Option 'sheet' must be the sheet's width and height in mm joined by an x, each above 0 "
                          "and at most " + shown(kLargestSheet) + ", such as 600x400; not " + quoted(text));
    }
    return size;
}

void needs(const ParsedOptions& parsed, const std::string& name, bool present, const std::string& what) {
    if (parsed.given(name) && !present) throw OptionError("Option '" + name + "' needs " + what);
}

}  // namespace

bool changes_motion(const FinishOptions& options) {
    return options.outline == OutlinePlace::outside || options.tabs > 0 || options.sheet.has_value();
}

std::vector<OptionSpec> finish_option_specs() {
    return {
        {"m,bit-diameter", "Diameter of the bit in mm, for --outline outside, the tabs and the sheet",
         OptionValue::number, {}},
        {"outline", "Where the outline runs: edge (the tool centre on the face's edge, as generated) or outside "
                    "(half a bit outside it: the part comes off the face's size)",
         OptionValue::text, {}},
        {"tabs", "Holding tabs to leave on each outline (default 0: none)", OptionValue::text, {}},
        {"tab-width", "Length of material each tab leaves along the edge, in mm (default 6)", OptionValue::number,
         {}},
        {"tab-height", "Material each tab leaves above the sheet's bottom, in mm (default 1)", OptionValue::number,
         {}},
        {"t,material-thickness", "Thickness of the sheet in mm, where its bottom is for the tabs",
         OptionValue::number, {}},
        {"sheet", "Place every panel on sheets of this size in mm, such as 600x400, one program for each sheet",
         OptionValue::text, {}},
        {"gap", "Material in mm left between panels and to the sheet's edge (default twice the bit, at least 3)",
         OptionValue::number, {}},
    };
}

FinishOptions read_finish_options(const ParsedOptions& parsed) {
    FinishOptions options;
    options.bit_diameter = length(parsed, "bit-diameter", 0, true);
    if (parsed.given("outline")) {
        const std::string place = parsed.text("outline");
        if (place == "outside") {
            options.outline = OutlinePlace::outside;
        } else if (place != "edge") {
            throw OptionError("Option 'outline' must be 'edge' or 'outside', not " + quoted(place));
        }
    }
    if (options.outline == OutlinePlace::outside && options.bit_diameter == 0) {
        throw OptionError("Option 'outline' outside needs --bit-diameter above 0: the outline moves out by half "
                          "the bit");
    }
    options.tabs = tab_count(parsed);
    needs(parsed, "tab-width", parsed.given("tabs"), "--tabs");
    needs(parsed, "tab-height", parsed.given("tabs"), "--tabs");
    options.tab_width = length(parsed, "tab-width", options.tab_width, false);
    options.tab_height = length(parsed, "tab-height", options.tab_height, false);
    if (parsed.given("material-thickness")) options.thickness = length(parsed, "material-thickness", 0, false);
    if (options.tabs > 0) {
        if (options.bit_diameter == 0) {
            throw OptionError("Option 'tabs' " + std::to_string(options.tabs) +
                              " needs --bit-diameter above 0: a tab is the material left between two cuts of "
                              "the bit");
        }
        if (options.thickness == 0) {
            throw OptionError("Option 'tabs' " + std::to_string(options.tabs) +
                              " needs --material-thickness: a tab's height is measured from the sheet's bottom");
        }
        if (!(options.tab_width > options.bit_diameter)) {
            throw OptionError("Option 'tab-width' must be wider than the bit, " + shown(options.bit_diameter) +
                              " mm, not " + shown(options.tab_width) +
                              ": the bit's round ends would cut through the middle of the tab");
        }
        if (!(options.tab_height < options.thickness)) {
            throw OptionError("Option 'tab-height' must be below the material thickness, " +
                              shown(options.thickness) + " mm, not " + shown(options.tab_height));
        }
    }
    if (parsed.given("sheet")) options.sheet = sheet_size(parsed.text("sheet"));
    needs(parsed, "gap", options.sheet.has_value(), "--sheet");
    options.gap = length(parsed, "gap", std::max(2 * options.bit_diameter, kSmallestDefaultGap), true);
    return options;
}

}  // namespace veskaro::post
