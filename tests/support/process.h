// Runs build/veskaro-gcode (or any program) in a folder and captures what it
// prints and its exit status, for the end-to-end tests.
#pragma once

#include <string>
#include <vector>

namespace veskaro::testing {

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;  // exit status, or 128 + signal number
};

// Runs `program` with `args` (argv[1]...) in `folder`; gives up after
// `timeout_seconds`, killing the program (status 128 + SIGKILL).
Outcome run_program(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder, double timeout_seconds = 30);

// The path of the generator built alongside the tests.
std::string generator_path();

// Runs the generator built alongside the tests.
Outcome run_generator(const std::vector<std::string>& args, const std::string& folder,
                      double timeout_seconds = 30);

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // Writes `text` to the file `name` inside the folder; returns its path.
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::string path_;
};

std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
// The names of the entries of a folder, sorted.
std::vector<std::string> list_folder(const std::string& path);

}  // namespace veskaro::testing
