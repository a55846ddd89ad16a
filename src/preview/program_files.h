// The programs named on the command line: a ".nc" file stands for itself, a
// folder for every ".nc" file in it, in name order.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace veskaro::preview {

// A path that names no program: "<path>: <what>".
class PathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ProgramSet {
    std::filesystem::path folder;  // set when the path was a folder
    std::vector<std::filesystem::path> programs;
};

// Throws PathError for a missing path, a file without the ".nc" extension
// and a folder without programs.
ProgramSet programs_at(const std::filesystem::path& path);

// The picture's path beside the program: Box_Main.nc gives Box_Main.svg.
std::filesystem::path picture_path(const std::filesystem::path& program);

}  // namespace veskaro::preview
