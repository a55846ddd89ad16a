// A program that veskaro-post has written already.  Post keeps every byte
// of the generator's "#" first line and writes it as a ";" comment, so that
// comment as the first line marks a program post wrote; rewriting it again
// would start and stop the spindle twice.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "post/controller.h"

namespace veskaro::post {

// The controller a program was written for, when its first line is the
// generator's header as post writes it; nothing for any other line.  Post
// writes ".ngc" programs only for LinuxCNC and ".nc" programs only for
// GRBL, so the program's extension tells which.
std::optional<Controller> posted_for(std::string_view first_line, const std::filesystem::path& program);

}  // namespace veskaro::post
