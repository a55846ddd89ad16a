// The area a bit clears, measured for the checks: every point within a
// radius of a core, the core being a point (a circle's centre), a segment (a
// recess row) or a convex quadrilateral (a rectangle's turned tool-centre
// corners).  The shapes come from the generator's own geometry; this only
// measures them.
#pragma once

#include "gcode/component_shapes.h"
#include "gcode/geometry.h"

namespace veskaro::check {

struct Region {
    Point core[4]{};
    int corners = 1;  // 1, 2 or 4
    float radius = 0;
};

// An axis-parallel box in machine millimetres.
struct Box {
    float left;
    float bottom;
    float right;
    float top;
};

Region disc(Point centre, float radius);
Region stroke(Point from, Point to, float radius);

// The area an opening's passes clear: a circle's tool-centre circle, or a
// rectangle's tool-centre path, widened by half the bit on both sides.
Region opening_region(const Opening& opening, float bit_diameter);

Box bounds(const Region& region);

// The smallest box holding both.
Box joined(const Box& a, const Box& b);

bool boxes_meet(const Box& a, const Box& b);

// True when the two areas share more than a hundredth of a millimetre.
bool regions_overlap(const Region& a, const Region& b);

}  // namespace veskaro::check
