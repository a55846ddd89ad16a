// Openings that run into each other, or into a screw hole or screw-head
// recess, on one face.
#pragma once

#include "check/face_walk.h"
#include "check/findings.h"

namespace veskaro::check {

// Compares only the pairs whose boxes meet, found by sweeping the boxes from
// left to right, so a face of many components is not compared pair by pair.
void check_collisions(const FaceCheck& face, float bit_diameter, Findings& findings);

}  // namespace veskaro::check
