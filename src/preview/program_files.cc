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

fs::path finished_picture_path(const fs::path& program) {
    fs::path picture = picture_path(program);
    picture.replace_extension(".finished.svg");
    return picture;
}

}  // namespace veskaro::preview
