// One program rewritten for its controller with its outline finished as
// asked (--outline outside, --tabs).
#pragma once

#include <filesystem>
#include <string>

#include "post/finish_options.h"
#include "post/program_post.h"

namespace veskaro::post {

// Writes `target` from `program`; returns the summary of what was changed,
// post's counts and the outline's.  Throws toolpath::ProgramError for a
// line, FinishError for options that do not fit the program, RunError for
// files.
std::string post_finished(const std::filesystem::path& program, const std::filesystem::path& target,
                          const PostOptions& post, const FinishOptions& finish);

}  // namespace veskaro::post
