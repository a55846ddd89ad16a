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

std::string unusable_face_name_reason(const std::string& face_name) {
    // A separator would put the file in another folder; a NUL would cut the
    // name short.
    if (face_name.find('/') != std::string::npos || face_name.find('\\') != std::string::npos) {
        return "the name contains a path separator and cannot name a file in the output folder";
    }
    if (face_name.find('\0') != std::string::npos || has_control_character(face_name)) {
        return "the name contains a control character";
    }
    return {};
}

}  // namespace veskaro
