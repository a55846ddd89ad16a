// Command line of veskaro-preview.
#pragma once

#include <string>
#include <vector>

#include "base/option_parsing.h"
#include "preview/finished_options.h"

namespace veskaro::preview {

struct PreviewSettings {
    std::vector<std::string> paths;  // programs and folders of programs
    double rapid_rate = 1000;        // mm/min, for the time estimate
    double bit_diameter = 0;         // mm; 0 draws thin lines
    bool tsv = false;                // tab-separated figures instead of summary lines
    FinishedSettings finished;       // the simulated cut, with --finished
};

// Throws OptionError for an option the parser refuses and for a value that
// parses but makes no sense ("--rapid-rate 0").
CommandLine<PreviewSettings> read_preview_command_line(int argc, const char* const* argv, const std::string& program_name);

}  // namespace veskaro::preview
