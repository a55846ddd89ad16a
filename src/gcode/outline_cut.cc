#include "gcode/outline_cut.h"

#include "gcode/face_cuts.h"
#include "gcode/pass_loop.h"

namespace veskaro {

template <typename Out>
void create_outline_cut(const std::string& face_name, float face_width, float face_height, const Arguments& settings,
                        Out& out) {
    out.progress() << "Creating outline cut for: " << face_name << '\n';
    const float feed = settings.feedrate;
    // The tool centre runs on the face's edge itself, not offset by the bit.
    const PassDepths passes =
        for_each_pass(settings.cut_depth_per_pass, settings.material_thickness, out.where, [&](float depth) {
            out.text("G0 X0 Y").fixed(face_height).text(" ; Move to the starting point").end_line();
            out.text("G1 Z").fixed(depth).text(" F").fixed(feed).text(" ; Start cutting down to ").fixed(depth)
                .text("mm").end_line();
            out.text("G1 X").fixed(face_width).text(" Y").fixed(face_height).text(" F").fixed(feed)
                .text(" ; Cut along the X axis").end_line();
            out.text("G1 X").fixed(face_width).text(" Y0 ; Cut along the Y axis").end_line();
            out.text("G1 X0 Y0 ; Cut back along the X axis").end_line();
            out.text("G1 X0 Y").fixed(face_height).text(" ; Close the loop on the Y axis").end_line();
        });
    // The footer lifts once more: a program with the outline ends with two
    // identical lift lines.
    out.text("G0 Z5 ; Lift the tool to a safe height").end_line();
    out.report(outline_cut(FaceSize{face_width, face_height}, settings.bit_diameter, passes));
}

template void create_outline_cut(const std::string&, float, float, const Arguments&, ProgramLines&);
template void create_outline_cut(const std::string&, float, float, const Arguments&, FaceCuts&);

}  // namespace veskaro
