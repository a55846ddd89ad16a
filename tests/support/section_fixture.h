// Settings and helpers for running one section into kept program lines.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "gcode/arguments.h"
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

// The program lines of one face kept in memory, with the progress lines the
// sections print.
class FaceLines {
public:
    explicit FaceLines(const char* face = "Box_Main") { lines.where = Where{face, {}, false}; }
    std::vector<std::string> program() const { return split_lines(lines.kept_text()); }
    std::string console() const { return out_.str(); }

private:
    std::ostringstream out_;
    std::ostringstream err_;

public:
    ProgramLines lines{Console{out_, err_}};
};

}  // namespace veskaro::testing
