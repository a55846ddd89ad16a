#include "gcode/visible_recesses.h"

#include <optional>
#include <string>

#include "gcode/circle_cut.h"
#include "gcode/component_shapes.h"
#include "gcode/face_cuts.h"
#include "gcode/pass_loop.h"

namespace veskaro {

namespace {

// Circles from the outside inward, one bit diameter apart, each a full
// clockwise arc that starts and ends on its right-hand side, with a lift
// after each.
template <typename Out>
RingSteps cut_circles(const Recess& recess, float depth, const Arguments& settings, Out& out) {
    const float bit = settings.bit_diameter;
    const CircleComments comments{" ; Move to the start of the circle (right side)", " ; Start cutting down to ",
                                  " ; Cut a circle"};
    return for_each_ring(first_circle_radius(recess, bit), bit, out.where, [&](float r) {
        cut_full_circle(out, recess.centre.x + r, recess.centre.y, -r, depth, settings.feedrate, comments);
        out.text("G0 Z5 ; Lift to safe height after cutting").end_line();
    });
}

// Rows from the recess's lower edge upward, alternately forward and
// backward, without lifting between them.  These lines, unlike every other,
// write their numbers in the general form, so a turned row ending on an
// axis can write a residue such as 2.62268e-07.
template <typename Out>
RowSteps cut_rows(const Recess& recess, float depth, const Arguments& settings, Out& out) {
    const float feed = settings.feedrate;
    const RowSteps rows =
        for_each_recess_row(recess, settings.bit_diameter, out.where, [&](unsigned k, Point left, Point right) {
            if (k == 0) {
                out.text("G0 X").general(left.x).text(" Y").general(left.y)
                    .text(" ; Move to the recess position").end_line();
                out.text("G1 Z").general(depth).text(" F").general(feed).text(" ; Start cutting down to ")
                    .general(depth).text("mm").end_line();
            }
            if (k % 2 == 0) {
                out.text("G1 X").general(left.x).text(" Y").general(left.y).text(" F").general(feed)
                    .text(" ; Recess forward pass").end_line();
                out.text("G1 X").general(right.x).text(" Y").general(right.y).text(" F").general(feed)
                    .text(" ; Recess forward pass end").end_line();
            } else {
                out.text("G1 X").general(right.x).text(" Y").general(right.y).text(" F").general(feed)
                    .text(" ; Recess backward pass start").end_line();
                out.text("G1 X").general(left.x).text(" Y").general(left.y).text(" F").general(feed)
                    .text(" ; Recess backward pass end").end_line();
            }
        });
    out.text("G0 Z5 ; Lift to safe height after cutting").end_line();
    return rows;
}

template <typename Out>
void cut_circular_recess(std::size_t index, const Recess& recess, const Arguments& settings, Out& out) {
    const float bit = settings.bit_diameter;
    // A circle whose start radius is below 0 cuts nothing on any level;
    // walking the levels anyway could take ages for a huge depth.
    if (!(first_circle_radius(recess, bit) >= 0)) {
        out.report(ring_recess_cut(index, recess, bit, std::nullopt, {}));
        return;
    }
    RingSteps rings;
    const PassDepths levels = for_each_pass(settings.cut_depth_per_pass, settings.recess_depth, out.where,
                                            [&](float depth) { rings = cut_circles(recess, depth, settings, out); });
    out.report(ring_recess_cut(index, recess, bit, levels, rings));
}

template <typename Out>
void cut_rectangular_recess(std::size_t index, const Recess& recess, const Arguments& settings, Out& out) {
    RowSteps rows;
    const PassDepths levels = for_each_pass(settings.cut_depth_per_pass, settings.recess_depth, out.where,
                                            [&](float depth) { rows = cut_rows(recess, depth, settings, out); });
    out.report(row_recess_cut(index, recess, settings.bit_diameter, levels, rows));
}

}  // namespace

template <typename Out>
void create_visible_recesses(const Json& face, float face_height, const Arguments& settings, Out& out) {
    for_each_component(face, out.where, [&](std::size_t index, const std::string& name, const Json& component) {
        const Recess recess = read_recess(component, face_height, out.where);
        switch (recess.kind) {
            case ShapeKind::none:
                return;
            case ShapeKind::circle:
                out.progress() << "### Current circular recess: " << name << '\n';
                cut_circular_recess(index, recess, settings, out);
                return;
            case ShapeKind::rectangle:
                out.progress() << "### Current recess: " << name << '\n';
                cut_rectangular_recess(index, recess, settings, out);
                return;
        }
    });
}

template void create_visible_recesses(const Json&, float, const Arguments&, ProgramLines&);
template void create_visible_recesses(const Json&, float, const Arguments&, FaceCuts&);

}  // namespace veskaro
