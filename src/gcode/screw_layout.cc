#include "gcode/screw_layout.h"

namespace veskaro {

bool top_screw_size_applies(const Arguments& settings) { return settings.screw_size_top > 0; }

float screw_diameter(const Arguments& settings) {
    if (top_screw_size_applies(settings)) return settings.screw_size_top;
    if (settings.screw_size_bottom > 0) return settings.screw_size_bottom;
    return 0;
}

float effective_head_diameter(const Arguments& settings) {
    return settings.screw_head_diameter - settings.bit_diameter / 2.0f;
}

ScrewLayout screw_layout(float width, float height, const Arguments& settings) {
    const float bit = settings.bit_diameter;
    const float thickness = settings.material_thickness;
    const float margin = settings.screw_extra_margin;

    ScrewLayout layout;
    layout.screw = screw_diameter(settings);
    layout.head = effective_head_diameter(settings);
    layout.hole_radius = layout.screw / 2.0f - bit / 2.0f;
    // The corner stays clear of the edge by the wider of head and hole; on a
    // tie the head's clearance is taken (the same value).
    const float head_clearance = bit / 2.0f + layout.head / 2.0f;
    const float hole_clearance = bit / 2.0f + layout.hole_radius;
    const float clearance = hole_clearance > head_clearance ? hole_clearance : head_clearance;
    const float low = (clearance + thickness) + margin;
    const float high_x = ((width - thickness) - clearance) - margin;
    const float high_y = ((height - thickness) - clearance) - margin;
    layout.first_ring = layout.head / 2.0f - bit / 2.0f;
    layout.corners[0] = {low, low};
    layout.corners[1] = {high_x, low};
    layout.corners[2] = {low, high_y};
    layout.corners[3] = {high_x, high_y};
    return layout;
}

}  // namespace veskaro
