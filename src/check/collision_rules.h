// Through-cuts of one face that run into each other (openings, screw holes),
// an opening that runs into a screw-head recess, and the walls thinner than
// the minimum left between two through-cuts.
#pragma once

#include "check/face_check.h"
#include "check/findings.h"

namespace veskaro::check {

// Compares only the pairs whose boxes lie within the minimum wall of each
// other, found by sweeping the boxes from left to right, so a face of many
// components is not compared pair by pair.
void check_collisions(const FaceCheck& face, float bit_diameter, float min_wall, Findings& findings);

}  // namespace veskaro::check
