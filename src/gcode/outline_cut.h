// The cut that frees the panel along its rectangle.
#pragma once

#include <string>

#include "gcode/arguments.h"
#include "gcode/program_lines.h"

namespace veskaro {

// Runs the tool around (0, 0)-(face width, face height), clockwise, in
// passes of the depth per pass down to the material thickness, then lifts.
void create_outline_cut(const std::string& face_name, float face_width, float face_height,
                        const Arguments& settings, ProgramLines& lines);

}  // namespace veskaro
