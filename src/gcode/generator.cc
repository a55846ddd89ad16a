#include "gcode/generator.h"

#include <filesystem>
#include <memory>

#include "base/output_file.h"
#include "base/version.h"
#include "gcode/component_cutouts.h"
#include "gcode/corner_screws.h"
#include "gcode/face_cuts.h"
#include "gcode/outline_cut.h"
#include "gcode/visible_recesses.h"

namespace veskaro {

namespace {

void create_folder_of(const std::string& output_path) {
    const std::filesystem::path folder = std::filesystem::path(output_path).parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) return;
    std::filesystem::create_directories(folder, error);
    if (error) throw RunError("cannot write '" + folder.string() + "': " + error.message());
}

}  // namespace

FaceSections face_sections(std::string_view face_name, const Arguments& settings) {
    FaceSections sections;
    // Any depth but 0 switches the recesses on, a negative one too: its
    // components are named on the console and no level is cut.
    sections.recesses = settings.recess_depth != 0;
    sections.openings = settings.components;
    // The two screw blocks are tested apart: a face named "Lid_Main_Bottom"
    // gets both, and both drill at the same size, the top one when set.
    sections.top_screws = settings.screw_size_top > 0 && takes_top_screws(face_name);
    sections.bottom_screws = settings.screw_size_bottom > 0 && takes_bottom_screws(face_name);
    sections.outline = settings.outline;
    return sections;
}

FaceSize face_size(std::string_view face_name, const BoxSize& box, const Arguments& settings) {
    return face_size(face_kind(face_name), box.width, box.height, settings.material_thickness,
                     settings.box_height_3d, settings.outer_sizing);
}

template <typename Out>
void build_face_program(const Json& project, const std::string& face_name, const BoxSize& box,
                        const Arguments& settings, Out& out) {
    const FaceSize size = face_size(face_name, box, settings);
    const FaceSections sections = face_sections(face_name, settings);
    out.text("#").text(kProgramTitle).text(kWebsite).end_line();
    out.text("G21 ; Set units to mm").end_line();
    out.text("G90 ; Absolute positioning").end_line();
    out.text("G0 Z5 ; Lift the tool to a safe height").end_line();

    if (sections.recesses) create_visible_recesses(face_object(project, out.where), size.height, settings, out);
    if (sections.openings) create_component_cutouts(face_object(project, out.where), size.height, settings, out);
    if (sections.top_screws) create_corner_holes_with_recess(box.width, box.height, settings, out);
    if (sections.bottom_screws) create_corner_holes_with_recess(box.width, box.height, settings, out);
    if (sections.outline) create_outline_cut(face_name, size.width, size.height, settings, out);
    out.text("G0 Z5 ; Lift the tool to a safe height").end_line();
    out.text("M30 ; End of program").end_line();
}

template void build_face_program(const Json&, const std::string&, const BoxSize&, const Arguments&, ProgramLines&);
template void build_face_program(const Json&, const std::string&, const BoxSize&, const Arguments&, FaceCuts&);

void generate_gcode(const Json& project, const std::string& output_path, const std::string& face_name,
                    const Arguments& settings, const Console& console, std::uint64_t max_lines) {
    if (!project.contains("Generic")) throw FaceSkipped("'Generic' data missing");
    const Where where{face_name, {}, false};
    const BoxSize box = read_box_size(project, where);
    create_folder_of(output_path);

    // The program is streamed into a temporary file as it is built and put
    // in place only when complete; a simulation drops it.
    std::unique_ptr<OutputFile> file;
    ProgramLines::Sink sink = [](std::string_view) {};
    if (!settings.simulate) {
        file = std::make_unique<OutputFile>(output_path);
        sink = [out = file.get()](std::string_view text) { out->write(text); };
    }
    ProgramLines lines(console, std::move(sink), max_lines);
    lines.where = where;
    build_face_program(project, face_name, box, settings, lines);
    lines.finish();
    if (file) {
        file->commit();
        console.out << "G-codes generated for: " << std::filesystem::path(output_path).stem().string() << '\n';
    }
}

}  // namespace veskaro
