// The straightforward build of veskaro-gcode, for the benchmark only: the
// same command line, project reading, sections and console lines, but the
// line builder of reference_program_lines.cc, every program line kept as a
// string of its own in a vector, and the face's file written with an output
// stream once the whole program is built.  Its files must equal the real
// generator's byte for byte; the benchmark checks that.
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "base/program_main.h"
#include "cli/banner.h"
#include "cli/output_paths.h"
#include "gcode/generator.h"
#include "options/command_line.h"
#include "project/face_names.h"
#include "project/load_project.h"

namespace veskaro::reference {

namespace {

void generate_face(const Json& project, const std::string& output_path, const std::string& face_name,
                   const Arguments& settings, const Console& console) {
    if (!project.contains("Generic")) throw FaceSkipped("'Generic' data missing");
    const BoxSize box = read_box_size(project, Where{face_name, {}, false});
    const std::filesystem::path folder = std::filesystem::path(output_path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder);

    std::vector<std::string> kept;
    ProgramLines lines(console, [&kept](std::string_view line) { kept.emplace_back(line); });
    lines.where = Where{face_name, {}, false};
    build_face_program(project, face_name, box, settings, lines);
    lines.finish();
    if (settings.simulate) return;

    std::ofstream out(output_path);
    for (const std::string& line : kept) out << line << '\n';
    out.close();
    if (!out) throw RunError("cannot write '" + output_path + "'");
    console.out << "G-codes generated for: " << std::filesystem::path(output_path).stem().string() << '\n';
}

int run(int argc, const char* const* argv, const Console& console) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int year = local.tm_year + 1900;
    const Arguments settings = read_command_line(argc, argv, "veskaro-gcode", generator_description(year)).settings;
    print_banner(console.out, year);
    print_settings_report(console.out, settings);

    const Json project = load_project(settings.json_file);
    const std::string folder =
        output_folder(std::filesystem::current_path().string(), settings.output_directory, settings.json_file);
    if (project.is_object()) {
        for (const auto& member : project.items()) {
            const std::string& face_name = member.key();
            if (!is_face_name(face_name)) continue;
            generate_face(project, face_output_path(folder, face_name), face_name, settings, console);
        }
    }
    console.out << "Output path: " << folder << std::endl;
    return 0;
}

}  // namespace

}  // namespace veskaro::reference

int main(int argc, char** argv) { return veskaro::run_main(argc, argv, veskaro::reference::run); }
