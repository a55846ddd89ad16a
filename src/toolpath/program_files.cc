#include "toolpath/program_files.h"

#include <algorithm>
#include <cerrno>

#include "base/input_file.h"

namespace veskaro::toolpath {

namespace fs = std::filesystem;

bool is_program_file(const fs::path& path) {
    const fs::path extension = path.extension();
    return extension == ".nc" || extension == ".ngc";
}

ProgramSet programs_at(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    ProgramSet set;
    if (fs::is_directory(status)) {
        set.folder = path;
        for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
            std::error_code ignored;
            if (is_program_file(it->path()) && it->is_regular_file(ignored)) set.programs.push_back(it->path());
        }
        if (error) throw PathError(cannot_read(path.string(), error.value()));
        // Name order, byte by byte, as the generator visits the faces.
        std::sort(set.programs.begin(), set.programs.end(),
                  [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
        if (set.programs.empty()) throw PathError(path.string() + ": no .nc or .ngc programs in the folder");
        return set;
    }
    if (!fs::exists(status)) throw PathError(cannot_read(path.string(), error ? error.value() : ENOENT));
    if (!is_program_file(path)) throw PathError(path.string() + ": not a .nc or .ngc program");
    set.programs.push_back(path);
    return set;
}

}  // namespace veskaro::toolpath
