// One program rewritten for its controller with its outline finished as
// asked (--outline outside, --tabs).
#pragma once

#include <filesystem>
#include <string>

#include "post/finish_options.h"
#include "post/program_post.h"
#include "toolpath/program_file.h"

namespace veskaro {
class OutputFile;
}

namespace veskaro::post {

// Writes `read`, the program at `program` read once with its text, into
// `file` with its outline finished; returns the summary of what was
// changed, post's counts and the outline's.  Throws toolpath::ProgramError
// for a line, FinishError for options that do not fit the program.
std::string write_finished(const toolpath::ProgramFile& read, const std::filesystem::path& program,
                           const PostOptions& post, const FinishOptions& finish, OutputFile& file);

}  // namespace veskaro::post
