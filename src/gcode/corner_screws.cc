#include "gcode/corner_screws.h"

#include <iostream>

#include "gcode/geometry.h"
#include "gcode/loop_step.h"
#include "gcode/number_text.h"

namespace veskaro {

namespace {

void print_corner(const char* what, const Point& corner) {
    std::cout << what << general_text(corner.x) << ", " << general_text(corner.y) << '\n';
}

void drill_hole(const Point& corner, float hole_radius, const Arguments& settings, ProgramLines& lines) {
    const float step = settings.cut_depth_per_pass;
    const float feed = settings.feedrate;
    const float bottom = -settings.material_thickness;
    const float start_x = corner.x + hole_radius;
    for (float depth = -step; depth >= bottom; depth = step_down(depth, step, lines.where)) {
        lines.text("G0 X").fixed(start_x).text(" Y").fixed(corner.y)
            .text(" ; Move to the screw position").end_line();
        lines.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(" ; Drill hole at (").fixed(corner.x)
            .text(", ").fixed(corner.y).text(") to depth ").fixed(depth).text("mm").end_line();
        lines.text("G2 X").fixed(start_x).text(" Y").fixed(corner.y).text(" I").fixed(-hole_radius)
            .text(" J0 F").fixed(feed).text(" ; Cut a screw with radius ").fixed(hole_radius)
            .text("mm").end_line();
    }
    lines.text("G0 Z5 ; Lift to safe height after cutting screw").end_line();
}

void clear_head_recess(const Point& corner, float first_ring, const Arguments& settings,
                       ProgramLines& lines) {
    const float step = settings.cut_depth_per_pass;
    const float bit = settings.bit_diameter;
    const float feed = settings.feedrate;
    const float bottom = -settings.screw_head_height;
    // A first ring below 0 cuts nothing at any depth; walking the depths
    // anyway could take ages for a huge head height.
    if (!(first_ring >= 0)) return;
    for (float depth = -step; depth >= bottom; depth = step_down(depth, step, lines.where)) {
        for (float r = first_ring; r >= 0; r = step_down(r, bit, lines.where)) {
            const float start_x = corner.x + r;
            lines.text("G0 X").fixed(start_x).text(" Y").fixed(corner.y)
                .text(" ; Move to start position on circle edge").end_line();
            lines.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(" ; Lower to cutting depth ")
                .fixed(depth).text("mm").end_line();
            lines.text("G2 X").fixed(start_x).text(" Y").fixed(corner.y).text(" I-").fixed(r)
                .text(" J0 F").fixed(feed).text(" ; Cut recess with radius ").fixed(r).end_line();
            lines.text("G0 Z5 ; Lift to safe height after cutting").end_line();
        }
    }
}

}  // namespace

void create_corner_holes_with_recess(float width, float height, const Arguments& settings,
                                     ProgramLines& lines) {
    const float bit = settings.bit_diameter;
    const float thickness = settings.material_thickness;
    const float margin = settings.screw_extra_margin;

    float screw = 0;
    if (settings.screw_size_top > 0) {
        screw = settings.screw_size_top;
    } else if (settings.screw_size_bottom > 0) {
        screw = settings.screw_size_bottom;
    }
    const float head = settings.screw_head_diameter - bit / 2.0f;
    const float hole_radius = screw / 2.0f - bit / 2.0f;
    // The corner stays clear of the edge by the wider of head and hole.
    const float head_clearance = bit / 2.0f + head / 2.0f;
    const float hole_clearance = bit / 2.0f + hole_radius;
    const float clearance = hole_clearance > head_clearance ? hole_clearance : head_clearance;
    const float low = (clearance + thickness) + margin;
    const float high_x = ((width - thickness) - clearance) - margin;
    const float high_y = ((height - thickness) - clearance) - margin;
    const float first_ring = head / 2.0f - bit / 2.0f;

    const Point corners[4] = {{low, low}, {high_x, low}, {low, high_y}, {high_x, high_y}};
    for (const Point& corner : corners) {
        print_corner("Creating screw hole at ", corner);
        drill_hole(corner, hole_radius, settings, lines);
    }
    if (head > 0) {
        for (const Point& corner : corners) {
            print_corner("Creating screw recess at ", corner);
            clear_head_recess(corner, first_ring, settings, lines);
        }
    }
}

}  // namespace veskaro
