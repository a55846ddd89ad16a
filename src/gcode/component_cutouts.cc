#include "gcode/component_cutouts.h"

#include <string>

#include "gcode/circle_cut.h"
#include "gcode/component_shapes.h"
#include "gcode/pass_loop.h"

namespace veskaro {

namespace {

// The tool is not lifted between passes: each pass starts with a rapid move
// to where the previous one ended.
void cut_circle(const std::string& name, const Opening& opening, const Arguments& settings, ProgramLines& lines) {
    const float start_x = opening.centre.x - opening.radius;
    const std::string plunge = " ; Start cutting " + name + " down to ";
    const CircleComments comments{" ; Move to the pocket position", plunge, " ; Cut a circle"};
    for_each_pass(settings.cut_depth_per_pass, settings.material_thickness, lines.where, [&](float depth) {
        cut_full_circle(lines, start_x, opening.centre.y, opening.radius, depth, settings.feedrate, comments);
    });
}

void cut_rectangle(const std::string& name, const Opening& opening, const Arguments& settings,
                   ProgramLines& lines) {
    const Point* q = opening.corners;
    const float feed = settings.feedrate;
    for_each_pass(settings.cut_depth_per_pass, settings.material_thickness, lines.where, [&](float depth) {
        lines.text("G0 X").fixed(q[0].x).text(" Y").fixed(q[0].y).text(" ; Move to the pocket position").end_line();
        lines.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(" ; Start cutting ").text(name)
            .text(" down to ").fixed(depth).text("mm").end_line();
        lines.text("G1 X").fixed(q[0].x).text(" Y").fixed(q[0].y).text(" F").fixed(feed)
            .text(" ; Cut along the first corner").end_line();
        lines.text("G1 X").fixed(q[1].x).text(" Y").fixed(q[1].y).text(" ; Cut along the second corner").end_line();
        lines.text("G1 X").fixed(q[2].x).text(" Y").fixed(q[2].y).text(" ; Cut along the third corner").end_line();
        lines.text("G1 X").fixed(q[3].x).text(" Y").fixed(q[3].y).text(" ; Cut along the fourth corner").end_line();
        lines.text("G1 X").fixed(q[0].x).text(" Y").fixed(q[0].y)
            .text(" ; Close the loop back to the first corner").end_line();
    });
}

}  // namespace

void create_component_cutouts(const Json& face, float face_height, const Arguments& settings, ProgramLines& lines) {
    for_each_component(face, lines.where, [&](const std::string& name, const Json& component) {
        // Printed for every component, before its values are read.
        lines.progress() << "### Component: " << name << '\n';
        const Opening opening = read_opening(component, face_height, settings.bit_diameter, lines.where);
        if (opening.kind == ShapeKind::none) return;
        if (opening.kind == ShapeKind::circle) {
            cut_circle(name, opening, settings, lines);
        } else {
            cut_rectangle(name, opening, settings, lines);
        }
        lines.text("G0 Z5 ; Lift to safe height after cutting ").text(name).end_line();
    });
}

}  // namespace veskaro
