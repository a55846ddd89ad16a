#include "cli/banner.h"

#include "base/version.h"
#include "gcode/number_text.h"

namespace veskaro {

namespace {

std::string ownership_line(int year) {
    return "Copyright (C) " + std::to_string(year) + " The VESKARO developers";
}

const char* yes_no(bool flag) { return flag ? "Yes" : "No"; }

}  // namespace

std::string generator_description(int year) {
    return std::string("VESKARO G-Code Generator for Laser Engraving and CNC Routers (v.") + VERSION + ")\n" +
           ownership_line(year) + "\n\nWebsite: " + kWebsite + "\n";
}

void print_banner(std::ostream& out, int year) {
    out << "== VESKARO G-Code generator for Laser Engraving and CNC Routers ==" << std::endl;
    out << "== " << ownership_line(year) << " ==" << std::endl;
    out << "== Version: " << VERSION << " ==" << std::endl;
    out << std::endl;
    out << "== Website: " << kWebsite << " ==" << std::endl;
    out << std::endl;
}

// The depth per pass is reported twice, under two labels, as users of the
// program have always read it.
void print_settings_report(std::ostream& out, const Arguments& s) {
    auto number = [](float value) { return general_text(value); };
    out << "~~~~~ Settings ~~~~~" << std::endl;
    out << "Outer sizing enabled: " << yes_no(s.outer_sizing) << std::endl;
    out << "Components enabled: " << yes_no(s.components) << std::endl;
    out << "Side outline enabled: " << yes_no(s.outline) << std::endl;
    out << "Screw diameter top in mm: " << number(s.screw_size_top) << std::endl;
    out << "Screw diameter bottom in mm: " << number(s.screw_size_bottom) << std::endl;
    out << "Screw head diameter in mm: " << number(s.screw_head_diameter) << std::endl;
    out << "Screw head height in mm: " << number(s.screw_head_height) << std::endl;
    out << "Screw extra margin in mm: " << number(s.screw_extra_margin) << std::endl;
    out << "Recess depth in mm: " << number(s.recess_depth) << std::endl;
    out << "Feedrate: " << number(s.feedrate) << std::endl;
    out << "Bit diameter in mm: " << number(s.bit_diameter) << std::endl;
    out << "Material thickness in mm: " << number(s.material_thickness) << std::endl;
    out << "Depth per pass in mm: " << number(s.cut_depth_per_pass) << std::endl;
    out << "Box height in 3D in mm: " << number(s.box_height_3d) << std::endl;
    out << "Cut depth per pass in mm: " << number(s.cut_depth_per_pass) << std::endl;
    out << "Simulation enabled: " << yes_no(s.simulate) << std::endl;
    out << "======================" << std::endl;
}

}  // namespace veskaro
