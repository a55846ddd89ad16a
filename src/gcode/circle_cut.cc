#include "gcode/circle_cut.h"

namespace veskaro {

void cut_full_circle(ProgramLines& lines, float start_x, float y, float i, float depth, float feed,
                     const CircleComments& comments) {
    lines.text("G0 X").fixed(start_x).text(" Y").fixed(y).text(comments.move).end_line();
    lines.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(comments.plunge).fixed(depth).text("mm").end_line();
    lines.text("G2 X").fixed(start_x).text(" Y").fixed(y).text(" I").fixed(i).text(" J0 F").fixed(feed)
        .text(comments.arc).end_line();
}

}  // namespace veskaro
