// The openings cut through the panel for the components of a face.
#pragma once

#include "gcode/arguments.h"
#include "project/project_values.h"

namespace veskaro {

// For every component of the face object, in key order: its opening (a
// circle, or a rectangle turned by its "rotation"), the tool centre half a
// bit diameter inside the edge, in passes of the depth per pass down to the
// material thickness.  Writes to `out`, ProgramLines or FaceCuts, and
// reports each opening to it.
template <typename Out>
void create_component_cutouts(const Json& face, float face_height, const Arguments& settings, Out& out);

}  // namespace veskaro
