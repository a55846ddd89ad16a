// Screw holes near the four corners of a horizontal face, with recesses for
// the screw heads.
#pragma once

#include "gcode/arguments.h"

namespace veskaro {

// Drills a screw hole through the material at each corner of the screw
// layout, in passes of the depth per pass, and, when the head is wider than
// half the bit, clears a recess for each head in rings one bit diameter
// apart down to the head height.  Prints one progress line per hole and per
// recess.  Writes to `out`, ProgramLines or FaceCuts, and reports each hole
// and head recess to it.
template <typename Out>
void create_corner_holes_with_recess(float width, float height, const Arguments& settings, Out& out);

}  // namespace veskaro
