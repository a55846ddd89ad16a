#include "cli/run.h"

#include <ctime>
#include <filesystem>
#include <iostream>

#include "cli/command_line.h"
#include "cli/output_paths.h"
#include "gcode/generator.h"
#include "project/load_project.h"

namespace veskaro {

namespace {

int current_year() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

std::string program_name(int argc, const char* const* argv) {
    if (argc < 1 || argv[0] == nullptr) return "veskaro-gcode";
    return std::filesystem::path(argv[0]).filename().string();
}

int option_error(const std::string& message) {
    std::cerr << "Error: " << with_apostrophes(message) << "\n\n";
    std::cerr << "Use --help for usage information." << std::endl;
    return 1;
}

// Hands every face of the project to the generator, in key order.  Returns
// false when a face was skipped for want of "Generic".
bool generate_faces(const Json& project, const std::string& folder, const Arguments& settings) {
    bool all_written = true;
    if (!project.is_object()) return all_written;
    for (const auto& member : project.items()) {
        const std::string& face_name = member.key();
        if (face_name.find('_') == std::string::npos) continue;
        const std::string reason = unusable_face_name_reason(face_name);
        if (!reason.empty()) throw RunError("face '" + escape_name(face_name) + "': " + reason);
        if (!generate_gcode(project, face_output_path(folder, face_name), face_name, settings)) {
            all_written = false;
        }
    }
    return all_written;
}

}  // namespace

int run(int argc, const char* const* argv) {
    const int year = current_year();
    Arguments settings;
    try {
        const CommandLine command_line = read_command_line(argc, argv, program_name(argc, argv), year);
        if (command_line.help) {
            std::cout << command_line.help_text << std::endl;
            return 0;
        }
        settings = command_line.settings;
    } catch (const OptionError& e) {
        return option_error(e.what());
    } catch (const SettingError& e) {
        return option_error(e.what());
    }

    print_banner(std::cout, year);
    print_settings_report(std::cout, settings);

    try {
        const Json project = load_project(settings.json_file);
        const std::string folder =
            output_folder(std::filesystem::current_path().string(), settings.output_directory, settings.json_file);
        const bool all_written = generate_faces(project, folder, settings);
        std::cout << "Output path: " << folder << std::endl;
        return all_written ? 0 : 1;
    } catch (const RunError& e) {
        std::cout.flush();
        std::cerr << "Error: " << e.what() << std::endl;
        return 1;
    }
}

}  // namespace veskaro
