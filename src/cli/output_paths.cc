#include "cli/output_paths.h"

#include <filesystem>

#include "base/run_error.h"

namespace veskaro {

std::string project_stem(const std::string& json_file) {
    return std::filesystem::path(json_file).stem().string();
}

bool is_absolute_folder(const std::string& output_directory) {
    return !output_directory.empty() && output_directory.front() == '/';
}

std::string output_folder(const std::string& current_directory, const std::string& output_directory,
                          const std::string& json_file) {
    const std::string stem = project_stem(json_file);
    if (stem.empty() || stem == "." || stem == "..") {
        throw RunError("'" + json_file + "' cannot name the output folder: its name without the extension is '" +
                       stem + "'");
    }
    std::string folder;
    if (is_absolute_folder(output_directory)) {
        folder = output_directory;
    } else {
        folder = current_directory;
        if (output_directory != ".") folder += "/" + output_directory;
    }
    return folder + "/" + stem;
}

std::string face_output_path(const std::string& folder, const std::string& face_name) {
    return folder + "/" + face_name + ".nc";
}

}  // namespace veskaro
