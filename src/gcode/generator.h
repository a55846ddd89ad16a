// One face of the project turned into one G-code program.
#pragma once

#include <cstdint>
#include <string>

#include "cli/arguments.h"
#include "gcode/program_lines.h"
#include "project/project_values.h"

namespace veskaro {

// Builds the program of the face named `face_name` and, unless simulating,
// writes it to `output_path`, creating the folder when it is missing.
// Returns false, after an error line, when the project has no "Generic"
// member; throws RunError when the project data or the output is bad, in
// which case no file of this face has been written.  A program longer than
// `max_lines` is refused; the fuzz target sets a lower bound to keep its
// runs short.
bool generate_gcode(const Json& project, const std::string& output_path, const std::string& face_name,
                    const Arguments& settings, std::uint64_t max_lines = ProgramLines::kMaxLines);

// The header line that names the program's maker.
extern const char* const kHeaderComment;

}  // namespace veskaro
