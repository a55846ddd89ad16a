// The straightforward build of veskaro-gcode, for the benchmark only: the
// same command line, project reading, geometry and console lines, but every
// number goes through its own string stream, every program line is a string
// of its own held in a vector, and the face's file is written with an output
// stream once the whole program is built.  Its files must equal the real
// generator's byte for byte; the benchmark checks that.
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/command_line.h"
#include "cli/output_paths.h"
#include "gcode/face_shape.h"
#include "gcode/generator.h"
#include "project/load_project.h"
#include "reference_sections.h"

namespace veskaro::reference {

namespace {

void generate_face(const Json& project, const std::string& output_path, const std::string& face_name,
                    const Arguments& settings) {
    if (!project.contains("Generic")) {
        std::cerr << "Error: 'Generic' data missing" << std::endl;
        return;
    }
    const Where where{face_name, {}, false};
    const BoxSize box = read_box_size(project, where);
    const std::filesystem::path folder = std::filesystem::path(output_path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder);
    const FaceSize size = face_size(face_kind(face_name), box.width, box.height, settings.material_thickness,
                                    settings.box_height_3d, settings.outer_sizing);

    Lines lines;
    lines.push_back(kHeaderComment);
    lines.push_back("G21 ; Set units to mm");
    lines.push_back("G90 ; Absolute positioning");
    lines.push_back("G0 Z5 ; Lift the tool to a safe height");
    if (settings.recess_depth != 0) {
        create_visible_recesses(face_object(project, where), size.height, settings, where, lines);
    }
    if (settings.components) {
        create_component_cutouts(face_object(project, where), size.height, settings, where, lines);
    }
    if (settings.screw_size_top > 0 && takes_top_screws(face_name)) {
        const Lines screws = create_corner_holes_with_recess(box.width, box.height, settings, where);
        lines.insert(lines.end(), screws.begin(), screws.end());
    }
    if (settings.screw_size_bottom > 0 && takes_bottom_screws(face_name)) {
        const Lines screws = create_corner_holes_with_recess(box.width, box.height, settings, where);
        lines.insert(lines.end(), screws.begin(), screws.end());
    }
    if (settings.outline) {
        create_outline_cut(face_name, size.width, size.height, settings, where, lines);
    }
    lines.push_back("G0 Z5 ; Lift the tool to a safe height");
    lines.push_back("M30 ; End of program");

    if (settings.simulate) return;
    std::ofstream out(output_path);
    for (const std::string& line : lines) out << line << '\n';
    out.close();
    if (!out) throw RunError("cannot write '" + output_path + "'");
    std::cout << "G-codes generated for: " << std::filesystem::path(output_path).stem().string() << '\n';
}

int run(int argc, char** argv) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int year = local.tm_year + 1900;
    Arguments settings;
    try {
        settings = read_command_line(argc, argv, std::filesystem::path(argv[0]).filename().string(), year).settings;
    } catch (const std::exception& e) {
        std::cerr << "Error: " << e.what() << std::endl;
        return 1;
    }
    print_banner(std::cout, year);
    print_settings_report(std::cout, settings);

    const Json project = load_project(settings.json_file);
    const std::string folder =
        output_folder(std::filesystem::current_path().string(), settings.output_directory, settings.json_file);
    if (project.is_object()) {
        for (const auto& member : project.items()) {
            const std::string& face_name = member.key();
            if (face_name.find('_') == std::string::npos) continue;
            if (!unusable_face_name_reason(face_name).empty()) throw RunError("unusable face name");
            generate_face(project, face_output_path(folder, face_name), face_name, settings);
        }
    }
    std::cout << "Output path: " << folder << std::endl;
    return 0;
}

}  // namespace

}  // namespace veskaro::reference

int main(int argc, char** argv) {
    try {
        return veskaro::reference::run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "Error: " << e.what() << std::endl;
    }
    return 1;
}
