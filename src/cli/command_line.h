// The command line of veskaro-gcode as its front ends see it: the settings
// or the help text, the banner and the settings report.  The option parser
// itself is kept to command_line.cc.
#pragma once

#include <ostream>
#include <string>

#include "base/option_parsing.h"
#include "gcode/arguments.h"

namespace veskaro {

using GeneratorCommandLine = CommandLine<Arguments>;

// The help text's description: name and version, ownership and web address.
std::string generator_description(int year);

// Parses the command line and, unless help is asked for, refuses arguments
// that no option reads, reads the settings in a fixed order (a number only
// when the whole text is one) and checks the values that the cutting loops
// step by and the feed that the programs write.  `with_version` adds
// "--version" after the table's options (the generator's own help has
// none).  Throws OptionError.
GeneratorCommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name,
                                       const std::string& description, bool with_version = false);

void print_banner(std::ostream& out, int year);
void print_settings_report(std::ostream& out, const Arguments& settings);

}  // namespace veskaro
