#include "base/input_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/run_error.h"

namespace veskaro {

std::string cannot_read(const std::string& path, int error) {
    return "cannot read '" + path + "': " + std::strerror(error);
}

std::ifstream open_input(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) throw RunError(cannot_read(path, EISDIR));
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw RunError(cannot_read(path, errno != 0 ? errno : ENOENT));
    return in;
}

void fail_reading(const std::string& path) { throw RunError(cannot_read(path, errno != 0 ? errno : EIO)); }

}  // namespace veskaro
