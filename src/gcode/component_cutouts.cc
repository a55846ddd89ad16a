#include "gcode/component_cutouts.h"

#include <string>

#include "gcode/circle_cut.h"
#include "gcode/component_shapes.h"
#include "gcode/face_cuts.h"
#include "gcode/pass_loop.h"

namespace veskaro {

namespace {

// The tool is not lifted between passes: each pass starts with a rapid move
// to where the previous one ended.
template <typename Out>
PassDepths cut_circle(const std::string& name, const Opening& opening, const Arguments& settings, Out& out) {
    const float start_x = opening.centre.x - opening.radius;
    const std::string plunge = " ; Start cutting " + name + " down to ";
    const CircleComments comments{" ; Move to the pocket position", plunge, " ; Cut a circle"};
    return for_each_pass(settings.cut_depth_per_pass, settings.material_thickness, out.where, [&](float depth) {
        cut_full_circle(out, start_x, opening.centre.y, opening.radius, depth, settings.feedrate, comments);
    });
}

template <typename Out>
PassDepths cut_rectangle(const std::string& name, const Opening& opening, const Arguments& settings, Out& out) {
    const Point* q = opening.corners;
    const float feed = settings.feedrate;
    return for_each_pass(settings.cut_depth_per_pass, settings.material_thickness, out.where, [&](float depth) {
        out.text("G0 X").fixed(q[0].x).text(" Y").fixed(q[0].y).text(" ; Move to the pocket position").end_line();
        out.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(" ; Start cutting ").text(name)
            .text(" down to ").fixed(depth).text("mm").end_line();
        out.text("G1 X").fixed(q[0].x).text(" Y").fixed(q[0].y).text(" F").fixed(feed)
            .text(" ; Cut along the first corner").end_line();
        out.text("G1 X").fixed(q[1].x).text(" Y").fixed(q[1].y).text(" ; Cut along the second corner").end_line();
        out.text("G1 X").fixed(q[2].x).text(" Y").fixed(q[2].y).text(" ; Cut along the third corner").end_line();
        out.text("G1 X").fixed(q[3].x).text(" Y").fixed(q[3].y).text(" ; Cut along the fourth corner").end_line();
        out.text("G1 X").fixed(q[0].x).text(" Y").fixed(q[0].y)
            .text(" ; Close the loop back to the first corner").end_line();
    });
}

}  // namespace

template <typename Out>
void create_component_cutouts(const Json& face, float face_height, const Arguments& settings, Out& out) {
    for_each_component(face, out.where, [&](std::size_t index, const std::string& name, const Json& component) {
        // Printed for every component, before its values are read.
        out.progress() << "### Component: " << name << '\n';
        const Opening opening = read_opening(component, face_height, settings.bit_diameter, out.where);
        PassDepths passes;
        switch (opening.kind) {
            case ShapeKind::none:
                return;
            case ShapeKind::circle:
                passes = cut_circle(name, opening, settings, out);
                break;
            case ShapeKind::rectangle:
                passes = cut_rectangle(name, opening, settings, out);
                break;
        }
        out.text("G0 Z5 ; Lift to safe height after cutting ").text(name).end_line();
        out.report(opening_cut(index, opening, settings.bit_diameter, passes));
    });
}

template void create_component_cutouts(const Json&, float, const Arguments&, ProgramLines&);
template void create_component_cutouts(const Json&, float, const Arguments&, FaceCuts&);

}  // namespace veskaro
