// A program file that appears whole or not at all.
//
// The text goes to an unnamed temporary file in the target's folder (or, on
// file systems without unnamed files, to a hidden temporary name there) and
// is renamed over the target only by commit().  A run that fails or is
// interrupted before that leaves the previous file, if any, untouched, and
// no temporary file: a hidden name is chosen at random, created
// exclusively, and removed when SIGINT, SIGTERM or SIGHUP ends the process.
#pragma once

#include <string>
#include <string_view>

namespace veskaro {

class OutputFile {
public:
    // Opens the temporary file; throws RunError "cannot write '<target>': ...".
    explicit OutputFile(std::string target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view text);
    // Closes the file and puts it in place of the target.
    void commit();

private:
    void name_unnamed_file();
    int take_name(const std::string& name);
    [[noreturn]] void fail_with_errno(int error) const;
    void discard() noexcept;

    std::string target_;
    std::string temp_path_;  // empty while the file has no name
    int fd_ = -1;
    int slot_ = -1;  // where the temporary name is remembered for signals
};

}  // namespace veskaro
