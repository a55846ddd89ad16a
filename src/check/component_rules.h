// One component's own data: keys that are not read, a shape given by halves
// or twice, a recess smaller than the opening it surrounds.
#pragma once

#include "check/face_walk.h"
#include "check/findings.h"
#include "gcode/arguments.h"

namespace veskaro::check {

void check_component(const FaceCheck& face, const ComponentCheck& component, const Arguments& settings,
                     Findings& findings);

}  // namespace veskaro::check
