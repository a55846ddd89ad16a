// A face as a whole: the kind its name gives it, its size, a face without
// components, and the panel that the outline leaves.
#pragma once

#include "check/face_check.h"
#include "check/findings.h"
#include "gcode/arguments.h"

namespace veskaro::check {

void check_face(const FaceCheck& face, const Json& face_value, const Arguments& settings, Findings& findings);

}  // namespace veskaro::check
