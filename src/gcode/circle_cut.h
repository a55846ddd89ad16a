// The full circle that openings, recesses and screw holes are cut with.
#pragma once

#include <string_view>

#include "gcode/program_lines.h"

namespace veskaro {

// The comments of the three lines: the plunge's is followed by the depth
// and "mm".
struct CircleComments {
    std::string_view move;
    std::string_view plunge;
    std::string_view arc;
};

// One full clockwise circle at `depth`: a rapid move to (start_x, y), a
// plunge, and the arc back to the start about the centre that lies `i`
// along X from it ("I{i} J0").
void cut_full_circle(ProgramLines& lines, float start_x, float y, float i, float depth, float feed,
                     const CircleComments& comments);

}  // namespace veskaro
