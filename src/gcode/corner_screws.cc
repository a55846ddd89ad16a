#include "gcode/corner_screws.h"

#include <string>

#include "gcode/circle_cut.h"
#include "gcode/number_text.h"
#include "gcode/pass_loop.h"
#include "gcode/screw_layout.h"

namespace veskaro {

namespace {

void print_corner(ProgramLines& lines, const char* what, const Point& corner) {
    lines.progress() << what << general_text(corner.x) << ", " << general_text(corner.y) << '\n';
}

void drill_hole(const Point& corner, float hole_radius, const Arguments& settings, ProgramLines& lines) {
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
    for_each_pass(settings.cut_depth_per_pass, settings.material_thickness, lines.where, [&](float depth) {
        cut_full_circle(lines, start_x, corner.y, -hole_radius, depth, settings.feedrate, comments);
    });
    lines.text("G0 Z5 ; Lift to safe height after cutting screw").end_line();
}

// Rings from the outside inward at every depth, with a lift after each.  The
// arc's comment ends with the bare radius, without the hole's "mm".
void clear_head_recess(const Point& corner, float first_ring, const Arguments& settings, ProgramLines& lines) {
    // A first ring below 0 cuts nothing at any depth; walking the depths
    // anyway could take ages for a huge head height.
    if (!(first_ring >= 0)) return;
    const float bit = settings.bit_diameter;
    std::string arc;
    for_each_pass(settings.cut_depth_per_pass, settings.screw_head_height, lines.where, [&](float depth) {
        for_each_ring(first_ring, bit, lines.where, [&](float r) {
            arc.assign(" ; Cut recess with radius ");
            append_fixed2(arc, r);
            cut_full_circle(lines, corner.x + r, corner.y, -r, depth, settings.feedrate,
                            {" ; Move to start position on circle edge", " ; Lower to cutting depth ", arc});
            lines.text("G0 Z5 ; Lift to safe height after cutting").end_line();
        });
    });
}

}  // namespace

void create_corner_holes_with_recess(float width, float height, const Arguments& settings, ProgramLines& lines) {
    const ScrewLayout layout = screw_layout(width, height, settings);
    for (const Point& corner : layout.corners) {
        print_corner(lines, "Creating screw hole at ", corner);
        drill_hole(corner, layout.hole_radius, settings, lines);
    }
    if (layout.head > 0) {
        for (const Point& corner : layout.corners) {
            print_corner(lines, "Creating screw recess at ", corner);
            clear_head_recess(corner, layout.first_ring, settings, lines);
        }
    }
}

}  // namespace veskaro
