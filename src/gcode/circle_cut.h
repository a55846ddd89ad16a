// The full circle that openings, recesses and screw holes are cut with.
#pragma once

#include <string_view>

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
template <typename Out>
void cut_full_circle(Out& out, float start_x, float y, float i, float depth, float feed,
                     const CircleComments& comments) {
    out.text("G0 X").fixed(start_x).text(" Y").fixed(y).text(comments.move).end_line();
    out.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(comments.plunge).fixed(depth).text("mm").end_line();
    out.text("G2 X").fixed(start_x).text(" Y").fixed(y).text(" I").fixed(i).text(" J0 F").fixed(feed)
        .text(comments.arc).end_line();
}

}  // namespace veskaro
