// The programs named on a command line: a ".nc" or ".ngc" file stands for
// itself, a folder for every such file in it, in name order.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace veskaro::toolpath {

// A path that names no program: "cannot read '<path>': <reason>" for one that
// cannot be read, "<path>: <what>" otherwise.
class PathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ProgramSet {
    std::filesystem::path folder;  // set when the path was a folder
    std::vector<std::filesystem::path> programs;
};

// True for the extensions of programs: ".nc" as the generator writes them,
// ".ngc" as LinuxCNC loads them.
bool is_program_file(const std::filesystem::path& path);

// Throws PathError for a missing path, a folder that cannot be listed, a
// file of another extension and a folder without programs.
ProgramSet programs_at(const std::filesystem::path& path);

}  // namespace veskaro::toolpath
