// Openings the bit cannot make: narrower than the bit, or as wide as it;
// and what the bit's roundness does to rectangles.
#pragma once

#include "check/face_check.h"
#include "check/findings.h"

namespace veskaro::check {

// A tool centre `half` from the middle, on each side, clears 2·|half| plus
// the bit: with `half` below 0 the path has crossed the middle and the cut
// comes out wider than asked.
double cut_width(float half, float bit);

void check_bit_sizes(const FaceCheck& face, const ComponentCheck& component, float bit_diameter, Findings& findings);

}  // namespace veskaro::check
