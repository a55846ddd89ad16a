// The cut that frees the panel along its rectangle.
#pragma once

#include <string>

#include "gcode/arguments.h"

namespace veskaro {

// Runs the tool around (0, 0)-(face width, face height), clockwise, in
// passes of the depth per pass down to the material thickness, then lifts.
// Writes to `out`, ProgramLines or FaceCuts, and reports the cut to it.
template <typename Out>
void create_outline_cut(const std::string& face_name, float face_width, float face_height,
                        const Arguments& settings, Out& out);

}  // namespace veskaro
