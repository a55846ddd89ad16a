// Sizes the bit cannot make: openings and recesses narrower than the bit,
// circles that stop short of a recess's centre; and what the bit's
// roundness does to rectangles.
#pragma once

#include "check/face_walk.h"
#include "check/findings.h"

namespace veskaro::check {

void check_bit_sizes(const FaceCheck& face, const ComponentCheck& component, float bit_diameter, Findings& findings);

}  // namespace veskaro::check
