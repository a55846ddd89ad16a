// The option table and the reading of the settings from the parsed options.
#pragma once

#include <string>

#include <cxxopts.hpp>

#include "cli/arguments.h"
#include "cli/command_line.h"

namespace veskaro {

// The option table with its description (which names the current year).
cxxopts::Options make_options(const std::string& program_name, int year);

// Reads every setting from the parsed command line, in a fixed order, and
// checks the values that the cutting loops step by.  Throws the parser's
// exceptions for a missing or malformed value and SettingError for a value
// out of range.
Arguments read_arguments(const cxxopts::ParseResult& parsed);

}  // namespace veskaro
