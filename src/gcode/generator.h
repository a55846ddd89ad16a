// One face of the project turned into one G-code program.
#pragma once

#include <cstdint>
#include <string>

#include "base/console.h"
#include "gcode/arguments.h"
#include "gcode/program_lines.h"
#include "project/project_values.h"

namespace veskaro {

// Appends the whole program of the face named `face_name` to `lines`: the
// header, the sections in their fixed order (visible recesses, openings,
// corner screws, outline) and the footer.  `box` is the size in "Generic".
void build_face_program(const Json& project, const std::string& face_name, const BoxSize& box,
                        const Arguments& settings, ProgramLines& lines);

// Builds the program of the face named `face_name` and, unless simulating,
// writes it to `output_path`, creating the folder when it is missing, and
// says so on the console.  Throws FaceSkipped when the project has no
// "Generic" member, and RunError when the project data or the output is bad;
// either way no file of this face has been written.  A program longer than
// `max_lines` is refused; the fuzz target sets a lower bound to keep its
// runs short.
void generate_gcode(const Json& project, const std::string& output_path, const std::string& face_name,
                    const Arguments& settings, const Console& console,
                    std::uint64_t max_lines = ProgramLines::kMaxLines);

}  // namespace veskaro
