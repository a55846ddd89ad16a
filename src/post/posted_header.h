// The first line of every program post writes: a ";" comment that names the
// controller, so that a program already written for one is known by it and
// never rewritten a second time (its spindle would start twice).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "post/controller.h"

namespace veskaro::post {

// The comment (the text after ";") of the first line: " For GRBL:" and the
// text of the generator's "#" header line, " Created with ...".  The
// controller's name comes first, so that a comment cut to the line length
// keeps it.
std::string posted_header(Controller controller, std::string_view header_text);

// The comment of the first line when the program read has no "#" header.
std::string posted_header_without_original(Controller controller);

// The controller that a first line written by posted_header() names, or
// nothing for any other line.
std::optional<Controller> posted_for(std::string_view first_line);

}  // namespace veskaro::post
