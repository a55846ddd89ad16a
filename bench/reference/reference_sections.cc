// The same cuts as the real generator, written the plain way: every number
// through its own string stream, every line a string of its own.
#include "reference_sections.h"

#include <iostream>

#include "gcode/geometry.h"
#include "gcode/loop_step.h"
#include "reference_text.h"

namespace veskaro::reference {

namespace {

std::string fixed(float value) { return format_float_as_str(static_cast<double>(value), 2); }

struct Recess {
    float centre_x;
    float centre_y;
    float diameter;  // mm
    float width;     // cm
    float height;    // cm
    float rotation;  // degrees
};

void recess_circles(const Recess& recess, float depth, const Arguments& settings, const Where& where,
                    Lines& lines) {
    const float bit = settings.bit_diameter;
    const float feed = settings.feedrate;
    for (float r = recess.diameter / 2.0f - bit / 2.0f; r >= 0; r = step_down(r, bit, where)) {
        const float start_x = recess.centre_x + r;
        lines.push_back("G0 X" + fixed(start_x) + " Y" + fixed(recess.centre_y) +
                        " ; Move to the start of the circle (right side)");
        lines.push_back("G1 Z" + fixed(depth) + " F" + fixed(feed) + " ; Start cutting down to " + fixed(depth) +
                        "mm");
        lines.push_back("G2 X" + fixed(start_x) + " Y" + fixed(recess.centre_y) + " I" + fixed(-r) + " J0 F" +
                        fixed(feed) + " ; Cut a circle");
        lines.push_back("G0 Z5 ; Lift to safe height after cutting");
    }
}

void recess_rows(const Recess& recess, float depth, const Arguments& settings, const Where& where,
                 Lines& lines) {
    const float bit = settings.bit_diameter;
    const float feed = settings.feedrate;
    const float half_width = 10.0f * recess.width / 2.0f - bit / 2.0f;
    const float half_height = 10.0f * recess.height / 2.0f - bit / 2.0f;
    const float full_height = 10.0f * recess.height;
    const float cx = recess.centre_x;
    const float cy = recess.centre_y;
    unsigned row = 0;
    for (float offset = 0; full_height > offset; offset = step_up(offset, bit, where), ++row) {
        const float row_y = cy + offset - half_height;
        const Point left = rotate_point(cx, cy, recess.rotation, cx - half_width, row_y);
        const Point right = rotate_point(cx, cy, recess.rotation, cx + half_width, row_y);
        if (row == 0) {
            lines.push_back("G0 X" + general_form(left.x) + " Y" + general_form(left.y) +
                            " ; Move to the recess position");
            lines.push_back("G1 Z" + general_form(depth) + " F" + general_form(feed) + " ; Start cutting down to " +
                            general_form(depth) + "mm");
        }
        if (row % 2 == 0) {
            lines.push_back("G1 X" + general_form(left.x) + " Y" + general_form(left.y) + " F" +
                            general_form(feed) + " ; Recess forward pass");
            lines.push_back("G1 X" + general_form(right.x) + " Y" + general_form(right.y) + " F" +
                            general_form(feed) + " ; Recess forward pass end");
        } else {
            lines.push_back("G1 X" + general_form(right.x) + " Y" + general_form(right.y) + " F" +
                            general_form(feed) + " ; Recess backward pass start");
            lines.push_back("G1 X" + general_form(left.x) + " Y" + general_form(left.y) + " F" +
                            general_form(feed) + " ; Recess backward pass end");
        }
    }
    lines.push_back("G0 Z5 ; Lift to safe height after cutting");
}

void opening_circle(const std::string& name, float centre_x, float centre_y, float radius,
                    const Arguments& settings, const Where& where, Lines& lines) {
    const float start_x = centre_x - radius;
    const float step = settings.cut_depth_per_pass;
    const float feed = settings.feedrate;
    for (float depth = -step; depth >= -settings.material_thickness; depth = step_down(depth, step, where)) {
        lines.push_back("G0 X" + fixed(start_x) + " Y" + fixed(centre_y) + " ; Move to the pocket position");
        lines.push_back("G1 Z" + fixed(depth) + " F" + fixed(feed) + " ; Start cutting " + name + " down to " +
                        fixed(depth) + "mm");
        lines.push_back("G2 X" + fixed(start_x) + " Y" + fixed(centre_y) + " I" + fixed(radius) + " J0 F" +
                        fixed(feed) + " ; Cut a circle");
    }
}

void opening_rectangle(const std::string& name, float cx, float cy, float a, float b, float rotation,
                       const Arguments& settings, const Where& where, Lines& lines) {
    const Point q1 = rotate_point(cx, cy, rotation, cx - a, cy - b);
    const Point q2 = rotate_point(cx, cy, rotation, cx + a, cy - b);
    const Point q3 = rotate_point(cx, cy, rotation, cx + a, cy + b);
    const Point q4 = rotate_point(cx, cy, rotation, cx - a, cy + b);
    const float step = settings.cut_depth_per_pass;
    const float feed = settings.feedrate;
    for (float depth = -step; depth >= -settings.material_thickness; depth = step_down(depth, step, where)) {
        lines.push_back("G0 X" + fixed(q1.x) + " Y" + fixed(q1.y) + " ; Move to the pocket position");
        lines.push_back("G1 Z" + fixed(depth) + " F" + fixed(feed) + " ; Start cutting " + name + " down to " +
                        fixed(depth) + "mm");
        lines.push_back("G1 X" + fixed(q1.x) + " Y" + fixed(q1.y) + " F" + fixed(feed) +
                        " ; Cut along the first corner");
        lines.push_back("G1 X" + fixed(q2.x) + " Y" + fixed(q2.y) + " ; Cut along the second corner");
        lines.push_back("G1 X" + fixed(q3.x) + " Y" + fixed(q3.y) + " ; Cut along the third corner");
        lines.push_back("G1 X" + fixed(q4.x) + " Y" + fixed(q4.y) + " ; Cut along the fourth corner");
        lines.push_back("G1 X" + fixed(q1.x) + " Y" + fixed(q1.y) + " ; Close the loop back to the first corner");
    }
}

}  // namespace

void create_visible_recesses(const Json& face, float face_height, const Arguments& settings,
                             const Where& face_where, Lines& lines) {
    const float step = settings.cut_depth_per_pass;
    for (const auto& member : face.items()) {
        const std::string& name = member.key();
        const Where where = face_where.with_component(name);
        check_component_name(where);
        const Json& component = member.value();
        Recess recess{};
        recess.centre_x = 10.0f * read_location(component, "location_x", where);
        recess.centre_y = face_height - 10.0f * read_location(component, "location_y", where);
        recess.diameter = static_cast<float>(10.0 * read_optional(component, "visible_diameter", where));
        recess.width = static_cast<float>(read_optional(component, "visible_width", where));
        recess.height = static_cast<float>(read_optional(component, "visible_height", where));
        recess.rotation = static_cast<float>(read_optional(component, "rotation", where));

        const bool circle = recess.diameter > 0;
        if (circle) {
            std::cout << "### Current circular recess: " << name << '\n';
        } else if (recess.width > 0 && recess.height > 0) {
            std::cout << "### Current recess: " << name << '\n';
        } else {
            continue;
        }
        for (float depth = -step; depth >= -settings.recess_depth; depth = step_down(depth, step, where)) {
            if (circle) {
                recess_circles(recess, depth, settings, where, lines);
            } else {
                recess_rows(recess, depth, settings, where, lines);
            }
        }
    }
}

void create_component_cutouts(const Json& face, float face_height, const Arguments& settings,
                              const Where& face_where, Lines& lines) {
    const float bit_radius = settings.bit_diameter / 2.0f;
    for (const auto& member : face.items()) {
        const std::string& name = member.key();
        const Json& component = member.value();
        const Where where = face_where.with_component(name);
        check_component_name(where);
        std::cout << "### Component: " << name << '\n';
        const float cx = read_location(component, "location_x", where) * 10.0f;
        const float cy = face_height - 10.0f * read_location(component, "location_y", where);
        const float diameter = static_cast<float>(read_optional(component, "drill_diameter", where));
        const float width = static_cast<float>(read_optional(component, "drill_width", where));
        const float height = static_cast<float>(read_optional(component, "drill_height", where));
        if (diameter > 0) {
            opening_circle(name, cx, cy, 10.0f * diameter / 2.0f - bit_radius, settings, where, lines);
        } else if (width > 0 && height > 0) {
            const float rotation = static_cast<float>(read_optional(component, "rotation", where));
            opening_rectangle(name, cx, cy, 10.0f * width / 2.0f - bit_radius, 10.0f * height / 2.0f - bit_radius,
                              rotation, settings, where, lines);
        } else {
            continue;
        }
        lines.push_back("G0 Z5 ; Lift to safe height after cutting " + name);
    }
}

Lines create_corner_holes_with_recess(float width, float height, const Arguments& settings,
                                      const Where& where) {
    Lines lines;
    const float bit = settings.bit_diameter;
    const float thickness = settings.material_thickness;
    const float margin = settings.screw_extra_margin;
    const float step = settings.cut_depth_per_pass;
    const float feed = settings.feedrate;
    float screw = 0;
    if (settings.screw_size_top > 0) {
        screw = settings.screw_size_top;
    } else if (settings.screw_size_bottom > 0) {
        screw = settings.screw_size_bottom;
    }
    const float head = settings.screw_head_diameter - bit / 2.0f;
    const float hole_radius = screw / 2.0f - bit / 2.0f;
    const float head_clearance = bit / 2.0f + head / 2.0f;
    const float hole_clearance = bit / 2.0f + hole_radius;
    const float clearance = hole_clearance > head_clearance ? hole_clearance : head_clearance;
    const float low = (clearance + thickness) + margin;
    const float high_x = ((width - thickness) - clearance) - margin;
    const float high_y = ((height - thickness) - clearance) - margin;
    const float first_ring = head / 2.0f - bit / 2.0f;
    const Point corners[4] = {{low, low}, {high_x, low}, {low, high_y}, {high_x, high_y}};

    for (const Point& c : corners) {
        std::cout << "Creating screw hole at " << c.x << ", " << c.y << '\n';
        const float start_x = c.x + hole_radius;
        for (float depth = -step; depth >= -thickness; depth = step_down(depth, step, where)) {
            lines.push_back("G0 X" + fixed(start_x) + " Y" + fixed(c.y) + " ; Move to the screw position");
            lines.push_back("G1 Z" + fixed(depth) + " F" + fixed(feed) + " ; Drill hole at (" + fixed(c.x) + ", " +
                            fixed(c.y) + ") to depth " + fixed(depth) + "mm");
            lines.push_back("G2 X" + fixed(start_x) + " Y" + fixed(c.y) + " I" + fixed(-hole_radius) + " J0 F" +
                            fixed(feed) + " ; Cut a screw with radius " + fixed(hole_radius) + "mm");
        }
        lines.push_back("G0 Z5 ; Lift to safe height after cutting screw");
    }
    if (head > 0) {
        for (const Point& c : corners) {
            std::cout << "Creating screw recess at " << c.x << ", " << c.y << '\n';
            for (float depth = -step; depth >= -settings.screw_head_height; depth = step_down(depth, step, where)) {
                for (float r = first_ring; r >= 0; r = step_down(r, bit, where)) {
                    const float start_x = c.x + r;
                    lines.push_back("G0 X" + fixed(start_x) + " Y" + fixed(c.y) +
                                    " ; Move to start position on circle edge");
                    lines.push_back("G1 Z" + fixed(depth) + " F" + fixed(feed) + " ; Lower to cutting depth " +
                                    fixed(depth) + "mm");
                    lines.push_back("G2 X" + fixed(start_x) + " Y" + fixed(c.y) + " I-" + fixed(r) + " J0 F" +
                                    fixed(feed) + " ; Cut recess with radius " + fixed(r));
                    lines.push_back("G0 Z5 ; Lift to safe height after cutting");
                }
            }
        }
    }
    return lines;
}

void create_outline_cut(const std::string& face_name, float face_width, float face_height,
                        const Arguments& settings, const Where& where, Lines& lines) {
    std::cout << "Creating outline cut for: " << face_name << '\n';
    const float step = settings.cut_depth_per_pass;
    const float feed = settings.feedrate;
    for (float depth = -step; depth >= -settings.material_thickness; depth = step_down(depth, step, where)) {
        lines.push_back("G0 X0 Y" + fixed(face_height) + " ; Move to the starting point");
        lines.push_back("G1 Z" + fixed(depth) + " F" + fixed(feed) + " ; Start cutting down to " + fixed(depth) + "mm");
        lines.push_back("G1 X" + fixed(face_width) + " Y" + fixed(face_height) + " F" + fixed(feed) +
                        " ; Cut along the X axis");
        lines.push_back("G1 X" + fixed(face_width) + " Y0 ; Cut along the Y axis");
        lines.push_back("G1 X0 Y0 ; Cut back along the X axis");
        lines.push_back("G1 X0 Y" + fixed(face_height) + " ; Close the loop on the Y axis");
    }
    lines.push_back("G0 Z5 ; Lift the tool to a safe height");
}

}  // namespace veskaro::reference
