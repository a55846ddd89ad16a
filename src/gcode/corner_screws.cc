#include "gcode/corner_screws.h"

#include <optional>
#include <string>

#include "gcode/circle_cut.h"
#include "gcode/face_cuts.h"
#include "gcode/number_text.h"
#include "gcode/pass_loop.h"
#include "gcode/screw_layout.h"

namespace veskaro {

namespace {

template <typename Out>
void print_corner(Out& out, const char* what, const Point& corner) {
    out.progress() << what << general_text(corner.x) << ", " << general_text(corner.y) << '\n';
}

template <typename Out>
PassDepths drill_hole(const Point& corner, float hole_radius, const Arguments& settings, Out& out) {
    std::string plunge = " ; Drill hole at (";
    append_fixed2(plunge, corner.x);
    plunge += ", ";
    append_fixed2(plunge, corner.y);
    plunge += ") to depth ";
    std::string arc = " ; Cut a screw with radius ";
    append_fixed2(arc, hole_radius);
    arc += "mm";
    const CircleComments comments{" ; Move to the screw position", plunge, arc};
    const float start_x = corner.x + hole_radius;
    // No lift between passes: each starts where the previous circle ended.
    const PassDepths passes =
        for_each_pass(settings.cut_depth_per_pass, settings.material_thickness, out.where, [&](float depth) {
            cut_full_circle(out, start_x, corner.y, -hole_radius, depth, settings.feedrate, comments);
        });
    out.text("G0 Z5 ; Lift to safe height after cutting screw").end_line();
    return passes;
}

// Rings from the outside inward at every depth, with a lift after each.  The
// arc's comment ends with the bare radius, without the hole's "mm".
template <typename Out>
void clear_head_recess(const ScrewLayout& layout, int corner_index, const Arguments& settings, Out& out) {
    const float bit = settings.bit_diameter;
    const Point& corner = layout.corners[corner_index];
    // A first ring below 0 cuts nothing at any depth; walking the depths
    // anyway could take ages for a huge head height.
    if (!(layout.first_ring >= 0)) {
        out.report(head_recess_cut(layout, corner_index, bit, std::nullopt, {}));
        return;
    }
    std::string arc;
    RingSteps rings;
    const PassDepths levels =
        for_each_pass(settings.cut_depth_per_pass, settings.screw_head_height, out.where, [&](float depth) {
            rings = for_each_ring(layout.first_ring, bit, out.where, [&](float r) {
                arc.assign(" ; Cut recess with radius ");
                append_fixed2(arc, r);
                cut_full_circle(out, corner.x + r, corner.y, -r, depth, settings.feedrate,
                                {" ; Move to start position on circle edge", " ; Lower to cutting depth ", arc});
                out.text("G0 Z5 ; Lift to safe height after cutting").end_line();
            });
        });
    out.report(head_recess_cut(layout, corner_index, bit, levels, rings));
}

}  // namespace

template <typename Out>
void create_corner_holes_with_recess(float width, float height, const Arguments& settings, Out& out) {
    const ScrewLayout layout = screw_layout(width, height, settings);
    for (int corner = 0; corner < 4; ++corner) {
        print_corner(out, "Creating screw hole at ", layout.corners[corner]);
        const PassDepths passes = drill_hole(layout.corners[corner], layout.hole_radius, settings, out);
        out.report(screw_hole_cut(layout, corner, settings.bit_diameter, passes));
    }
    if (layout.head > 0) {
        for (int corner = 0; corner < 4; ++corner) {
            print_corner(out, "Creating screw recess at ", layout.corners[corner]);
            clear_head_recess(layout, corner, settings, out);
        }
    }
}

template void create_corner_holes_with_recess(float, float, const Arguments&, ProgramLines&);
template void create_corner_holes_with_recess(float, float, const Arguments&, FaceCuts&);

}  // namespace veskaro
