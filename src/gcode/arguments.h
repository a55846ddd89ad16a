// The settings of one run, filled once from the command line and only read
// afterwards.  Lengths are millimetres; the feed rate is written unchanged.
#pragma once

#include <string>

namespace veskaro {

class Arguments {
public:
    std::string json_file;
    std::string output_directory;
    float bit_diameter = 0;
    float material_thickness = 0;
    float cut_depth_per_pass = 0;
    float box_height_3d = 0;
    float feedrate = 0;
    float screw_size_top = 0;
    float screw_size_bottom = 0;
    float screw_head_diameter = 0;
    float screw_head_height = 0;
    float screw_extra_margin = 0;
    bool outer_sizing = false;
    float recess_depth = 0;
    bool outline = false;
    bool components = false;
    bool simulate = false;
};

}  // namespace veskaro
