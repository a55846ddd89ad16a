// What veskaro-gcode prints about itself: the help text's description, the
// banner and the settings report.
#pragma once

#include <ostream>
#include <string>

#include "gcode/arguments.h"

namespace veskaro {

// The help text's description: name and version, ownership and web address.
std::string generator_description(int year);

void print_banner(std::ostream& out, int year);
void print_settings_report(std::ostream& out, const Arguments& settings);

}  // namespace veskaro
