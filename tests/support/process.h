// Runs build/veskaro-gcode (or any program) in a folder and captures what it
// prints and its exit status, for the end-to-end tests.
#pragma once

#include <functional>
#include <string>
#include <utility>
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

// What a test does to the program's process besides running it.  The
// program always starts with SIGINT, SIGTERM and SIGHUP at their default
// action, whatever the test runner ignores.
struct ProcessControl {
    double timeout_seconds = 30;
    // setrlimit() before the program starts: {RLIMIT_AS, bytes}...
    std::vector<std::pair<int, unsigned long>> limits;
    // Opening an unnamed temporary file (O_TMPFILE) fails with EOPNOTSUPP,
    // as on file systems without them (vfat, FUSE).
    bool without_unnamed_files = false;
    // Called with the process id about every 100 ms until it returns true.
    // Until then the program's standard output is not read, so a program
    // that prints more than a pipe holds waits in the middle of its work.
    std::function<bool(int pid)> watch;
};

Outcome run_controlled(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, const ProcessControl& control);

// True when process `pid` or one of its children has a file open whose path
// starts with `prefix`.
bool has_file_open_under(int pid, const std::string& prefix);

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
