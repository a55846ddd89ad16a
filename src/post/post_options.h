// Command line of veskaro-post.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/option_parsing.h"
#include "post/finish_options.h"
#include "post/program_post.h"

namespace veskaro::post {

struct PostSettings {
    PostOptions post;                // the controller and the words to add
    FinishOptions finish;            // the outline, tabs and sheets
    std::vector<std::string> paths;  // programs and folders of programs
    std::optional<std::string> output_directory;  // none: a folder beside the programs
};

// Throws OptionError for an option the parser refuses and for a value that
// parses but makes no sense ("--controller fanuc", "--spindle 0").
CommandLine<PostSettings> read_post_command_line(int argc, const char* const* argv, const std::string& program_name);

}  // namespace veskaro::post
