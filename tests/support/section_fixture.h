// Settings and helpers for running one section into kept program lines.
#pragma once

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "gcode/program_lines.h"
#include "support/program_text.h"

namespace veskaro::testing {

inline Arguments cutting_settings(float bit, float thickness, float depth, float feed) {
    Arguments settings;
    settings.bit_diameter = bit;
    settings.material_thickness = thickness;
    settings.cut_depth_per_pass = depth;
    settings.feedrate = feed;
    settings.box_height_3d = 50;
    settings.outline = true;
    settings.components = true;
    return settings;
}

inline std::vector<std::string> lines_of(const ProgramLines& lines) {
    return split_lines(lines.kept_text());
}

inline ProgramLines face_lines(const char* face = "Box_Main") {
    ProgramLines lines;
    lines.where = Where{face, {}, false};
    return lines;
}

}  // namespace veskaro::testing
