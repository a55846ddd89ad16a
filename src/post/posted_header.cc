#include "post/posted_header.h"

#include <string>

#include "base/version.h"
#include "toolpath/program_reader.h"

namespace veskaro::post {

std::optional<Controller> posted_for(std::string_view first_line, const std::filesystem::path& program) {
    const std::string posted = std::string(";") + kProgramTitle;
    if (first_line.substr(0, posted.size()) != posted) return std::nullopt;
    return program.extension() == rules_of(Controller::linuxcnc).extension ? Controller::linuxcnc
                                                                            : Controller::grbl;
}

void refuse_posted(std::string_view first_line, const std::filesystem::path& program) {
    if (const std::optional<Controller> posted = posted_for(first_line, program)) {
        throw toolpath::ProgramError(1, std::string("already written for ") + rules_of(*posted).title +
                                            " by veskaro-post, as its first line and its extension say; rewrite "
                                            "the generator's program instead");
    }
}

}  // namespace veskaro::post
