// One face of the project turned into one G-code program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/console.h"
#include "gcode/arguments.h"
#include "gcode/face_shape.h"
#include "gcode/program_lines.h"
#include "project/project_values.h"

namespace veskaro {

// The sections a face's program has.
struct FaceSections {
    bool recesses = false;       // any recess depth but 0
    bool openings = false;       // the components option
    bool top_screws = false;     // a top screw size, on a "_Main" or "_Top" face
    bool bottom_screws = false;  // a bottom screw size, on a "_Bottom" face
    bool outline = false;        // the outline option
};

FaceSections face_sections(std::string_view face_name, const Arguments& settings);

// The size of the face named `face_name`, from the size in "Generic".
FaceSize face_size(std::string_view face_name, const BoxSize& box, const Arguments& settings);

// Writes the whole program of the face named `face_name` to `out`: the
// header, the sections in their fixed order (visible recesses, openings,
// corner screws, outline) and the footer.  `out` is the program text
// writer (ProgramLines) or FaceCuts, which keeps what the sections report
// they cut and drops the text; either way the same data is refused with the
// same words.
template <typename Out>
void build_face_program(const Json& project, const std::string& face_name, const BoxSize& box,
                        const Arguments& settings, Out& out);

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
