#include "project/load_project.h"

#include <fstream>

#include "base/input_file.h"

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
    std::ifstream in = open_input(json_file);
    Json project;
    try {
        in >> project;
    } catch (const Json::exception& e) {
        throw RunError("'" + json_file + "' is not a valid project file: " + without_tag(e.what()));
    } catch (const std::ios_base::failure&) {
        // The parser reads the file's buffer itself, which throws when a
        // read fails.
        fail_reading(json_file);
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
