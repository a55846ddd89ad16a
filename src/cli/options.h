// The command line: option table, help, reading the settings, banner and
// settings report.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

#include <cxxopts.hpp>

#include "cli/arguments.h"

namespace veskaro {

// A setting whose value would make a run loop forever or write a program
// that machines refuse.  Reported like the option parser's own errors.
class SettingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The option table with its description (which names the current year).
cxxopts::Options make_options(const std::string& program_name, int year);

// Reads every setting from the parsed command line, in a fixed order, and
// checks the values that the cutting loops step by.  Throws the parser's
// exceptions for a missing or malformed value and SettingError for a value
// out of range.
Arguments read_arguments(const cxxopts::ParseResult& parsed);

// The parser's message with option names and values quoted by apostrophes.
std::string with_apostrophes(const std::string& message);

void print_banner(std::ostream& out, int year);
void print_settings_report(std::ostream& out, const Arguments& settings);

}  // namespace veskaro
