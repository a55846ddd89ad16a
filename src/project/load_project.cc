#include "project/load_project.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace veskaro {

namespace {

// The library's message without its "[json.exception.parse_error.101] " tag.
std::string without_tag(const std::string& message) {
    if (!message.empty() && message.front() == '[') {
        const std::size_t end = message.find("] ");
        if (end != std::string::npos) return message.substr(end + 2);
    }
    return message;
}

}  // namespace

Json load_project(const std::string& json_file) {
    std::error_code error;
    if (std::filesystem::is_directory(json_file, error)) {
        throw RunError("cannot read '" + json_file + "': " + std::strerror(EISDIR));
    }
    std::ifstream in(json_file);
    if (!in) {
        const int reason = errno;
        throw RunError("cannot read '" + json_file + "': " + std::strerror(reason != 0 ? reason : ENOENT));
    }
    Json project;
    try {
        in >> project;
    } catch (const Json::exception& e) {
        throw RunError("'" + json_file + "' is not a valid project file: " + without_tag(e.what()));
    }
    // Faces are members of an object; any other document would be a run
    // that writes nothing and reports success.
    if (!project.is_object()) {
        throw RunError("'" + json_file + "' is not a valid project file: the document must be an object, not " +
                       project.type_name());
    }
    return project;
}

}  // namespace veskaro
