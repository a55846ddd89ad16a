// Where the programs written from a path go when no --output-directory is
// given: a folder named after the controller beside them.
#pragma once

#include <filesystem>

#include "post/controller.h"
#include "toolpath/program_files.h"

namespace veskaro::post {

// `set` holds the programs `path` names.
std::filesystem::path default_folder(const toolpath::ProgramSet& set, const std::filesystem::path& path,
                                     Controller controller);

}  // namespace veskaro::post
