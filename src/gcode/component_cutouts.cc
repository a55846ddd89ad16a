#include "gcode/component_cutouts.h"

#include <iostream>
#include <string>

#include "gcode/geometry.h"
#include "gcode/loop_step.h"

namespace veskaro {

namespace {

void cut_circle(const std::string& name, float centre_x, float centre_y, float radius,
                const Arguments& settings, ProgramLines& lines) {
    const float start_x = centre_x - radius;
    const float step = settings.cut_depth_per_pass;
    const float feed = settings.feedrate;
    const float bottom = -settings.material_thickness;
    for (float depth = -step; depth >= bottom; depth = step_down(depth, step, lines.where)) {
        lines.text("G0 X").fixed(start_x).text(" Y").fixed(centre_y)
            .text(" ; Move to the pocket position").end_line();
        lines.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(" ; Start cutting ").text(name)
            .text(" down to ").fixed(depth).text("mm").end_line();
        lines.text("G2 X").fixed(start_x).text(" Y").fixed(centre_y).text(" I").fixed(radius)
            .text(" J0 F").fixed(feed).text(" ; Cut a circle").end_line();
    }
}

void cut_rectangle(const std::string& name, float centre_x, float centre_y, float half_width,
                   float half_height, float rotation, const Arguments& settings,
                   ProgramLines& lines) {
    // Lower left, lower right, upper right, upper left, turned about the centre.
    const Point q1 = rotate_point(centre_x, centre_y, rotation, centre_x - half_width, centre_y - half_height);
    const Point q2 = rotate_point(centre_x, centre_y, rotation, centre_x + half_width, centre_y - half_height);
    const Point q3 = rotate_point(centre_x, centre_y, rotation, centre_x + half_width, centre_y + half_height);
    const Point q4 = rotate_point(centre_x, centre_y, rotation, centre_x - half_width, centre_y + half_height);

    const float step = settings.cut_depth_per_pass;
    const float feed = settings.feedrate;
    const float bottom = -settings.material_thickness;
    for (float depth = -step; depth >= bottom; depth = step_down(depth, step, lines.where)) {
        lines.text("G0 X").fixed(q1.x).text(" Y").fixed(q1.y).text(" ; Move to the pocket position").end_line();
        lines.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(" ; Start cutting ").text(name)
            .text(" down to ").fixed(depth).text("mm").end_line();
        lines.text("G1 X").fixed(q1.x).text(" Y").fixed(q1.y).text(" F").fixed(feed)
            .text(" ; Cut along the first corner").end_line();
        lines.text("G1 X").fixed(q2.x).text(" Y").fixed(q2.y).text(" ; Cut along the second corner").end_line();
        lines.text("G1 X").fixed(q3.x).text(" Y").fixed(q3.y).text(" ; Cut along the third corner").end_line();
        lines.text("G1 X").fixed(q4.x).text(" Y").fixed(q4.y).text(" ; Cut along the fourth corner").end_line();
        lines.text("G1 X").fixed(q1.x).text(" Y").fixed(q1.y)
            .text(" ; Close the loop back to the first corner").end_line();
    }
}

}  // namespace

void create_component_cutouts(const Json& face, float face_height, const Arguments& settings,
                              ProgramLines& lines) {
    const Where face_where = lines.where;
    const float bit_radius = settings.bit_diameter / 2.0f;
    for (const auto& member : face.items()) {
        const std::string& name = member.key();
        const Json& component = member.value();
        lines.where = face_where.with_component(name);
        check_component_name(lines.where);
        std::cout << "### Component: " << name << '\n';

        const float centre_x = read_location(component, "location_x", lines.where) * 10.0f;
        const float centre_y = face_height - 10.0f * read_location(component, "location_y", lines.where);
        const float diameter = static_cast<float>(read_optional(component, "drill_diameter", lines.where));
        const float width = static_cast<float>(read_optional(component, "drill_width", lines.where));
        const float height = static_cast<float>(read_optional(component, "drill_height", lines.where));

        if (diameter > 0) {
            const float radius = 10.0f * diameter / 2.0f - bit_radius;
            cut_circle(name, centre_x, centre_y, radius, settings, lines);
        } else if (width > 0 && height > 0) {
            const float rotation = static_cast<float>(read_optional(component, "rotation", lines.where));
            const float half_width = 10.0f * width / 2.0f - bit_radius;
            const float half_height = 10.0f * height / 2.0f - bit_radius;
            cut_rectangle(name, centre_x, centre_y, half_width, half_height, rotation, settings, lines);
        } else {
            continue;
        }
        lines.text("G0 Z5 ; Lift to safe height after cutting ").text(name).end_line();
    }
    lines.where = face_where;
}

}  // namespace veskaro
