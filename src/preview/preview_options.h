// Command line of veskaro-preview.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include <cxxopts.hpp>

namespace veskaro::preview {

struct PreviewSettings {
    std::vector<std::string> paths;  // programs and folders of programs
    double rapid_rate = 1000;        // mm/min, for the time estimate
    double bit_diameter = 0;         // mm; 0 draws thin lines
    bool tsv = false;                // tab-separated figures instead of summary lines
};

// A value that parses but makes no sense ("--rapid-rate 0").
class PreviewSettingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

cxxopts::Options make_preview_options(const std::string& program_name);

// Throws PreviewSettingError.
PreviewSettings read_preview_settings(const cxxopts::ParseResult& parsed);

}  // namespace veskaro::preview
