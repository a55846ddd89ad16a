#include "cli/output_paths.h"

#include <filesystem>

#include "base/run_error.h"

namespace veskaro {

std::string project_stem(const std::string& json_file) {
    return std::filesystem::path(json_file).stem().string();
}

std::string output_folder(const std::string& current_directory, const std::string& output_directory,
                          const std::string& json_file) {
    std::string folder;
    if (!output_directory.empty() && output_directory.front() == '/') {
        folder = output_directory;
    } else {
        folder = current_directory;
        if (output_directory != ".") folder += "/" + output_directory;
    }
    return folder + "/" + project_stem(json_file);
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
