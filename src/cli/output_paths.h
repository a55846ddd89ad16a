// Where the programs of a run go: <cwd>/<output directory>/<project stem>/
// <face>.nc, with "." standing for the current directory itself and an
// absolute output directory taken as it stands.
#pragma once

#include <string>

namespace veskaro {

// The file name of the project without its last extension.
std::string project_stem(const std::string& json_file);

// True when the output directory is taken as it stands, without the
// current directory before it.
bool is_absolute_folder(const std::string& output_directory);

// Throws RunError when the project's stem is empty, "." or "..": the
// programs would go to the output directory itself or to its parent.
std::string output_folder(const std::string& current_directory, const std::string& output_directory,
                          const std::string& json_file);

std::string face_output_path(const std::string& folder, const std::string& face_name);

}  // namespace veskaro
