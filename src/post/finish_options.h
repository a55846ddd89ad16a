// The options of veskaro-post that change the motion, and only when asked
// for: the outline moved outside the face's edge, holding tabs on it, and
// every panel placed on sheets.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/option_parsing.h"

namespace veskaro::post {

enum class OutlinePlace {
    edge,     // the tool centre on the face's edge, as the generator cuts it
    outside,  // half a bit outside it: the part comes off the face's size
};

struct SheetSize {
    double width = 0;  // mm
    double height = 0;
    std::string text;  // as given, for messages: "600x400"
};

struct FinishOptions {
    OutlinePlace outline = OutlinePlace::edge;
    double bit_diameter = 0;  // mm; 0 when not given
    int tabs = 0;             // per outline; 0: none
    double tab_width = 6;     // mm of material left along the edge
    double tab_height = 1;    // mm of material left above the sheet's bottom
    double thickness = 0;     // mm; given whenever tabs are asked for
    std::optional<SheetSize> sheet;
    double gap = 0;  // mm between panels and to the sheet's edge, with a sheet
};

// True when the options change a program's motion: without them post
// writes every program as it always has.
bool changes_motion(const FinishOptions& options);

// The options' lines of the help text, in its order.
std::vector<OptionSpec> finish_option_specs();

// Throws OptionError naming the option and its value.
FinishOptions read_finish_options(const ParsedOptions& parsed);

}  // namespace veskaro::post
