// Command line of veskaro-preview.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace veskaro::preview {

struct PreviewSettings {
    std::vector<std::string> paths;  // programs and folders of programs
    double rapid_rate = 1000;        // mm/min, for the time estimate
    double bit_diameter = 0;         // mm; 0 draws thin lines
    bool tsv = false;                // tab-separated figures instead of summary lines
};

// What the command line asks for: the help text, or a run with the settings.
struct PreviewCommandLine {
    bool help = false;
    std::string help_text;
    PreviewSettings settings;
};

// An option the parser refuses, or a value that parses but makes no sense
// ("--rapid-rate 0").
class PreviewOptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws PreviewOptionError.
PreviewCommandLine read_preview_command_line(int argc, const char* const* argv, const std::string& program_name);

}  // namespace veskaro::preview
