// The options of the finished part: simulating the cut of each program and
// drawing and measuring what comes off the machine.
#pragma once

#include <optional>
#include <vector>

#include "base/option_parsing.h"
#include "simulate/cut_settings.h"

namespace veskaro::preview {

struct FinishedSettings {
    bool on = false;                  // --finished
    simulate::CutSettings cut;        // the bit, the sheet and the cell
    double minimum_wall = 1;          // mm, --min-wall
    bool measure = false;             // --measure: a line per feature instead of the summary
};

// --finished, --material-thickness, --cell, --min-wall and --measure.
std::vector<OptionSpec> finished_options();

// `bit_diameter` is the preview's --bit-diameter when it was given.  Throws
// OptionError: a value out of range, one of these options without
// --finished, --finished without a bit or a thickness, --measure with
// --tsv.
FinishedSettings read_finished_settings(const ParsedOptions& parsed, std::optional<double> bit_diameter, bool tsv);

}  // namespace veskaro::preview
