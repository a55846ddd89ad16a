// The openings cut through the panel for the components of a face.
#pragma once

#include "cli/arguments.h"
#include "gcode/program_lines.h"
#include "project/project_values.h"

namespace veskaro {

// For every component of the face object, in key order: a circular opening
// when it has a "drill_diameter", otherwise a rectangular one turned by its
// "rotation" when it has "drill_width" and "drill_height".  The tool centre
// runs half a bit diameter inside the opening's edge, in passes of the depth
// per pass down to the material thickness.
void create_component_cutouts(const Json& face, float face_height, const Arguments& settings,
                              ProgramLines& lines);

}  // namespace veskaro
