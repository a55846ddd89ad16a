// The command line as the run driver sees it: the settings or the help
// text, the banner and the settings report.
//
// The option parser's header is left to options.cc: it compiles its
// patterns while the program starts, once for every source file that
// includes it, and that is most of the start-up of a small run.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

#include "cli/arguments.h"

namespace veskaro {

// An option that the parser refuses: unknown, missing or malformed.  The
// message is the parser's.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A setting whose value would make a run loop forever or write a program
// that machines refuse.  Reported like the option parser's own errors.
class SettingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the command line asks for: the help text, or a run with the settings.
struct CommandLine {
    bool help = false;
    std::string help_text;
    Arguments settings;
};

// Parses the command line and, unless help is asked for, reads the settings.
// Throws OptionError or SettingError.
CommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name, int year);

// The parser's message with option names and values quoted by apostrophes.
std::string with_apostrophes(const std::string& message);

void print_banner(std::ostream& out, int year);
void print_settings_report(std::ostream& out, const Arguments& settings);

}  // namespace veskaro
