// The options of the finished part: simulating the cut of each program and
// drawing and measuring what comes off the machine.
#pragma once

#include <optional>

#include "simulate/cut_settings.h"

namespace cxxopts {
class Options;
class ParseResult;
}  // namespace cxxopts

namespace veskaro::preview {

struct FinishedSettings {
    bool on = false;                  // --finished
    simulate::CutSettings cut;        // the bit, the sheet and the cell
    double minimum_wall = 1;          // mm, --min-wall
    bool measure = false;             // --measure: a line per feature instead of the summary
};

// Adds --finished, --material-thickness, --cell, --min-wall and --measure.
void add_finished_options(cxxopts::Options& options);

// `bit_diameter` is the preview's --bit-diameter, given or not.  Throws
// OptionError: a value out of range, one of these options without
// --finished, --finished without a bit or a thickness, --measure with
// --tsv.
FinishedSettings read_finished_settings(const cxxopts::ParseResult& parsed, std::optional<double> bit_diameter,
                                        bool tsv);

}  // namespace veskaro::preview
