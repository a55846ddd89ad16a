#include "gcode/visible_recesses.h"

#include <iostream>
#include <string>

#include "gcode/geometry.h"
#include "gcode/loop_step.h"

namespace veskaro {

namespace {

struct Recess {
    float centre_x;
    float centre_y;
    float diameter;   // mm
    float width;      // cm
    float height;     // cm
    float rotation;   // degrees
};

float first_circle_radius(const Recess& recess, const Arguments& settings) {
    return recess.diameter / 2.0f - settings.bit_diameter / 2.0f;
}

// Circles from the outside inward, one bit diameter apart, each a full
// clockwise arc that starts and ends on its right-hand side.
void cut_circles(const Recess& recess, float depth, const Arguments& settings, ProgramLines& lines) {
    const float bit = settings.bit_diameter;
    const float feed = settings.feedrate;
    for (float r = first_circle_radius(recess, settings); r >= 0; r = step_down(r, bit, lines.where)) {
        const float start_x = recess.centre_x + r;
        lines.text("G0 X").fixed(start_x).text(" Y").fixed(recess.centre_y)
            .text(" ; Move to the start of the circle (right side)").end_line();
        lines.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(" ; Start cutting down to ")
            .fixed(depth).text("mm").end_line();
        lines.text("G2 X").fixed(start_x).text(" Y").fixed(recess.centre_y).text(" I").fixed(-r)
            .text(" J0 F").fixed(feed).text(" ; Cut a circle").end_line();
        lines.text("G0 Z5 ; Lift to safe height after cutting").end_line();
    }
}

// Rows along the recess's own X direction, from its lower edge upward, one
// bit diameter apart, alternately forward and backward, without lifting.
void cut_rows(const Recess& recess, float depth, const Arguments& settings, ProgramLines& lines) {
    const float bit = settings.bit_diameter;
    const float feed = settings.feedrate;
    const float half_width = 10.0f * recess.width / 2.0f - bit / 2.0f;
    const float half_height = 10.0f * recess.height / 2.0f - bit / 2.0f;
    const float full_height = 10.0f * recess.height;
    const float cx = recess.centre_x;
    const float cy = recess.centre_y;

    unsigned row = 0;
    for (float offset = 0; full_height > offset; offset = step_up(offset, bit, lines.where), ++row) {
        const float row_y = cy + offset - half_height;
        const Point left = rotate_point(cx, cy, recess.rotation, cx - half_width, row_y);
        const Point right = rotate_point(cx, cy, recess.rotation, cx + half_width, row_y);
        if (row == 0) {
            lines.text("G0 X").general(left.x).text(" Y").general(left.y)
                .text(" ; Move to the recess position").end_line();
            lines.text("G1 Z").general(depth).text(" F").general(feed).text(" ; Start cutting down to ")
                .general(depth).text("mm").end_line();
        }
        if (row % 2 == 0) {
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
    }
    lines.text("G0 Z5 ; Lift to safe height after cutting").end_line();
}

Recess read_recess(const Json& component, float face_height, const Where& where) {
    Recess recess{};
    recess.centre_x = 10.0f * read_location(component, "location_x", where);
    recess.centre_y = face_height - 10.0f * read_location(component, "location_y", where);
    // The diameter is scaled to millimetres before it is held in single precision.
    recess.diameter = static_cast<float>(10.0 * read_optional(component, "visible_diameter", where));
    recess.width = static_cast<float>(read_optional(component, "visible_width", where));
    recess.height = static_cast<float>(read_optional(component, "visible_height", where));
    recess.rotation = static_cast<float>(read_optional(component, "rotation", where));
    return recess;
}

}  // namespace

void create_visible_recesses(const Json& face, float face_height, const Arguments& settings,
                             ProgramLines& lines) {
    const Where face_where = lines.where;
    const float step = settings.cut_depth_per_pass;
    const float bottom = -settings.recess_depth;
    for (const auto& member : face.items()) {
        const std::string& name = member.key();
        lines.where = face_where.with_component(name);
        check_component_name(lines.where);
        const Recess recess = read_recess(member.value(), face_height, lines.where);

        void (*cut_level)(const Recess&, float, const Arguments&, ProgramLines&) = nullptr;
        if (recess.diameter > 0) {
            std::cout << "### Current circular recess: " << name << '\n';
            cut_level = cut_circles;
        } else if (recess.width > 0 && recess.height > 0) {
            std::cout << "### Current recess: " << name << '\n';
            cut_level = cut_rows;
        } else {
            continue;
        }
        // A circle whose start radius is below 0 cuts nothing on any level;
        // walking the levels anyway could take ages for a huge depth.
        if (cut_level == cut_circles && !(first_circle_radius(recess, settings) >= 0)) continue;
        for (float depth = -step; depth >= bottom; depth = step_down(depth, step, lines.where)) {
            cut_level(recess, depth, settings, lines);
        }
    }
    lines.where = face_where;
}

}  // namespace veskaro
