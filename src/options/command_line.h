// The command line of veskaro-gcode, which veskaro-check takes too: the
// settings or the help text.
#pragma once

#include <string>
#include <vector>

#include "base/option_parsing.h"
#include "gcode/arguments.h"
#include "options/option_table.h"

namespace veskaro {

using GeneratorCommandLine = CommandLine<Arguments>;

// Parses the command line and, unless help is asked for, refuses arguments
// that no option reads, reads the settings in a fixed order (a number only
// when the whole text is one) and checks the values that the cutting loops
// step by and the feed that the programs write.  Throws OptionError.
GeneratorCommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name,
                                       const std::string& description);

// The same for a program that takes number options of its own beside the
// generator's: `own_rows` are listed after the generator's options, before
// "help", and read as strictly; their values go to `own_values`, in the
// order of the rows (left empty after help).  Such a program's help is its
// own, and it has "--version" after "help" (the generator's help is
// prescribed and has none).
GeneratorCommandLine read_command_line(int argc, const char* const* argv, const std::string& program_name,
                                       const std::string& description, const std::vector<OptionRow>& own_rows,
                                       std::vector<float>& own_values);

}  // namespace veskaro
