#include "gcode/visible_recesses.h"

#include <string>

#include "gcode/circle_cut.h"
#include "gcode/component_shapes.h"
#include "gcode/pass_loop.h"

namespace veskaro {

namespace {

// Circles from the outside inward, one bit diameter apart, each a full
// clockwise arc that starts and ends on its right-hand side, with a lift
// after each.
void cut_circles(const Recess& recess, float depth, const Arguments& settings, ProgramLines& lines) {
    const float bit = settings.bit_diameter;
    const CircleComments comments{" ; Move to the start of the circle (right side)", " ; Start cutting down to ",
                                  " ; Cut a circle"};
    for_each_ring(first_circle_radius(recess, bit), bit, lines.where, [&](float r) {
        cut_full_circle(lines, recess.centre.x + r, recess.centre.y, -r, depth, settings.feedrate, comments);
        lines.text("G0 Z5 ; Lift to safe height after cutting").end_line();
    });
}

// Rows from the recess's lower edge upward, alternately forward and
// backward, without lifting between them.  These lines, unlike every other,
// write their numbers in the general form, so a turned row ending on an
// axis can write a residue such as 2.62268e-07.
void cut_rows(const Recess& recess, float depth, const Arguments& settings, ProgramLines& lines) {
    const float feed = settings.feedrate;
    for_each_recess_row(recess, settings.bit_diameter, lines.where, [&](unsigned k, Point left, Point right) {
        if (k == 0) {
            lines.text("G0 X").general(left.x).text(" Y").general(left.y)
                .text(" ; Move to the recess position").end_line();
            lines.text("G1 Z").general(depth).text(" F").general(feed).text(" ; Start cutting down to ")
                .general(depth).text("mm").end_line();
        }
        if (k % 2 == 0) {
            lines.text("G1 X").general(left.x).text(" Y").general(left.y).text(" F").general(feed)
                .text(" ; Recess forward pass").end_line();
            lines.text("G1 X").general(right.x).text(" Y").general(right.y).text(" F").general(feed)
                .text(" ; Recess forward pass end").end_line();
        } else {
            lines.text("G1 X").general(right.x).text(" Y").general(right.y).text(" F").general(feed)
                .text(" ; Recess backward pass start").end_line();
            lines.text("G1 X").general(left.x).text(" Y").general(left.y).text(" F").general(feed)
                .text(" ; Recess backward pass end").end_line();
        }
    });
    lines.text("G0 Z5 ; Lift to safe height after cutting").end_line();
}

}  // namespace

void create_visible_recesses(const Json& face, float face_height, const Arguments& settings, ProgramLines& lines) {
    for_each_component(face, lines.where, [&](const std::string& name, const Json& component) {
        const Recess recess = read_recess(component, face_height, lines.where);
        if (recess.kind == ShapeKind::none) return;
        const bool circle = recess.kind == ShapeKind::circle;
        lines.progress() << (circle ? "### Current circular recess: " : "### Current recess: ") << name << '\n';
        // A circle whose start radius is below 0 cuts nothing on any level;
        // walking the levels anyway could take ages for a huge depth.
        if (circle && !(first_circle_radius(recess, settings.bit_diameter) >= 0)) return;
        for_each_pass(settings.cut_depth_per_pass, settings.recess_depth, lines.where, [&](float depth) {
            if (circle) {
                cut_circles(recess, depth, settings, lines);
            } else {
                cut_rows(recess, depth, settings, lines);
            }
        });
    });
}

}  // namespace veskaro
