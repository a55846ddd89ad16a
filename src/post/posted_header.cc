#include "post/posted_header.h"

#include <string>

#include "base/version.h"

namespace veskaro::post {

std::optional<Controller> posted_for(std::string_view first_line, const std::filesystem::path& program) {
    const std::string posted = std::string(";") + kProgramTitle;
    if (first_line.substr(0, posted.size()) != posted) return std::nullopt;
    return program.extension() == rules_of(Controller::linuxcnc).extension ? Controller::linuxcnc
                                                                            : Controller::grbl;
}

}  // namespace veskaro::post
