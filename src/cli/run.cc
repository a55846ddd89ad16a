#include "cli/run.h"

#include <ctime>
#include <filesystem>
#include <optional>

#include "cli/banner.h"
#include "cli/output_paths.h"
#include "gcode/generator.h"
#include "options/command_line.h"
#include "project/face_names.h"
#include "project/load_project.h"

namespace veskaro {

namespace {

int current_year() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// Hands every face of the project to the generator, in key order.  A face
// skipped for want of "Generic" is reported and the walk goes on; returns
// false when any was.
bool generate_faces(const Json& project, const std::string& folder, const Arguments& settings,
                    const Console& console) {
    bool all_written = true;
    for (const auto& member : project.items()) {
        const std::string& face_name = member.key();
        if (!is_face_name(face_name)) continue;
        const std::string reason = unusable_face_name_reason(face_name);
        if (!reason.empty()) fail(Where{face_name, {}, false}, reason);
        try {
            generate_gcode(project, face_output_path(folder, face_name), face_name, settings, console);
        } catch (const FaceSkipped& e) {
            print_error(console, e.what());
            all_written = false;
        }
    }
    return all_written;
}

}  // namespace

int run(int argc, const char* const* argv, const Console& console) {
    const int year = current_year();
    Arguments settings;
    const auto read = [&] {
        return read_command_line(argc, argv, program_name(argc, argv, "veskaro-gcode"), generator_description(year));
    };
    if (const std::optional<int> status = take_command_line(console, read, settings)) return *status;

    print_banner(console.out, year);
    print_settings_report(console.out, settings);
    try {
        const Json project = load_project(settings.json_file);
        // An absolute output directory needs no current directory, which may
        // have been removed.
        const std::string current =
            is_absolute_folder(settings.output_directory) ? "" : std::filesystem::current_path().string();
        const std::string folder = output_folder(current, settings.output_directory, settings.json_file);
        const bool all_written = generate_faces(project, folder, settings, console);
        console.out << "Output path: " << folder << std::endl;
        return all_written ? 0 : 1;
    } catch (const RunError& e) {
        print_error(console, e.what());
        return 1;
    }
}

}  // namespace veskaro
