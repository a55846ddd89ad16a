#include "preview/program_files.h"

namespace veskaro::preview {

namespace fs = std::filesystem;

fs::path picture_path(const fs::path& program) {
    fs::path picture = program;
    if (program.extension() == ".nc") {
        picture.replace_extension(".svg");
    } else {
        picture += ".svg";
    }
    return picture;
}

}  // namespace veskaro::preview
