// What a visible recess really cuts: nothing when it is narrower than the
// bit, an island left by its circles, rows beyond its height and cusps
// where they turn, and a hole when it goes through the sheet.
#pragma once

#include "check/face_check.h"
#include "check/findings.h"
#include "gcode/arguments.h"

namespace veskaro::check {

void check_recess(const FaceCheck& face, const ComponentCheck& component, const Arguments& settings,
                  Findings& findings);

// True when the levels reach the bottom of the material: what they clear
// falls out as a hole.  Nothing is left when less than prints as 0.01 mm is.
bool through_the_sheet(const PassDepths& levels, float thickness);

}  // namespace veskaro::check
