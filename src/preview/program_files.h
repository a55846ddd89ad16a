// The preview's files beside each program it reads.
#pragma once

#include <filesystem>

#include "toolpath/program_files.h"

namespace veskaro::preview {

// The picture's path beside the program: Box_Main.nc gives Box_Main.svg.
// A LinuxCNC program keeps its extension in the name, Box_Main.ngc gives
// Box_Main.ngc.svg, so that both forms of one face can share a folder.
std::filesystem::path picture_path(const std::filesystem::path& program);

// The finished part's picture beside it: Box_Main.finished.svg,
// Box_Main.ngc.finished.svg.
std::filesystem::path finished_picture_path(const std::filesystem::path& program);

}  // namespace veskaro::preview
