// Shallow pockets for the visible parts of the components of a face.
#pragma once

#include "gcode/arguments.h"
#include "project/project_values.h"

namespace veskaro {

// For every component of the face object, in key order: a circular pocket of
// concentric circles when it has a "visible_diameter", otherwise a
// rectangular pocket of alternating rows turned by its "rotation" when it has
// "visible_width" and "visible_height"; in levels of the depth per pass down
// to the recess depth.  The tool centre runs half a bit diameter inside the
// pocket's edge.  Writes to `out`, ProgramLines or FaceCuts, and reports
// each recess to it.
template <typename Out>
void create_visible_recesses(const Json& face, float face_height, const Arguments& settings, Out& out);

}  // namespace veskaro
