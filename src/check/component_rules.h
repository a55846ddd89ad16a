// One component's own data: keys that are not read, a shape given by halves
// or twice, a recess smaller than the opening it surrounds.
#pragma once

#include "check/face_check.h"
#include "check/findings.h"

namespace veskaro::check {

void check_component(const FaceCheck& face, const ComponentCheck& component, Findings& findings);

}  // namespace veskaro::check
