// Settings that cut nothing, stop short or contradict each other, said once
// for the run under the option's name, and only where the project makes
// them matter.
#pragma once

#include <optional>

#include "check/face_check.h"
#include "check/findings.h"
#include "gcode/arguments.h"

namespace veskaro::check {

// What the faces of the project ask of the settings.
struct RunFacts {
    RunDepths depths;
    bool end_or_side_face = false;
    bool bottom_block = false;         // a "_Bottom" face gets its screws
    std::optional<ScrewCheck> screws;  // of the first face that gets screws
};

void add_face_facts(RunFacts& facts, const FaceCheck& face);

void check_settings(const Arguments& settings, const RunFacts& facts, Findings& findings);

// A pocket that gets no level is not cut (a warning); one whose deepest
// level stops short of its depth still takes its part (a note).  `levels`
// is empty when no such pocket is cut at all.
void check_pocket_depth(const char* option, const char* pocket, float depth, const std::optional<PassDepths>& levels,
                        float step, Findings& findings);

}  // namespace veskaro::check
