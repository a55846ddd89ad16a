// The command line of veskaro-gcode as its front ends see it: the settings
// or the help text, the banner and the settings report.
//
// The option parser's header is kept to options.cc: it is slow to compile
// and compiles its patterns at start-up once for every source file that
// includes it.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

#include "gcode/arguments.h"

namespace veskaro {

// An option that the parser refuses (unknown, missing or malformed), or a
// value that would make a run loop forever or write a program that machines
// refuse.  The message names the option.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the command line asks for: the help text, or a run with the settings.
struct CommandLine {
    bool help = false;
    std::string help_text;
    Arguments settings;
};

// Parses the command line and, unless help is asked for, reads the settings
// in a fixed order and checks the values that the cutting loops step by.
// `year` is named in the description.  Throws OptionError.
CommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name, int year);

// The parser's message with option names and values quoted by apostrophes.
std::string with_apostrophes(const std::string& message);

void print_banner(std::ostream& out, int year);
void print_settings_report(std::ostream& out, const Arguments& settings);

}  // namespace veskaro
