// The area a bit clears, measured for the checks: every point within a
// radius of a core, the core being a point (a circle's centre), a segment (a
// recess row) or a convex quadrilateral (a rectangle's turned tool-centre
// corners).  The shapes come from the generator's own geometry; this only
// measures them, in double precision: no coordinate of a program comes from
// it.
#pragma once

#include "gcode/component_shapes.h"
#include "gcode/geometry.h"

namespace veskaro::check {

struct Region {
    Point core[4]{};
    int corners = 1;  // 1, 2 or 4
    float radius = 0;
};

Region disc(Point centre, float radius);
Region stroke(Point from, Point to, float radius);

// The area an opening's passes clear: a circle's tool-centre circle, or a
// rectangle's tool-centre path, widened by half the bit on both sides.
Region opening_region(const Opening& opening, float bit_diameter);

Box bounds(const Region& region);

// True when the boxes share an area, or lie less than `margin` apart.
bool boxes_meet(const Box& a, const Box& b, float margin = 0);

// True when the segments a-b and c-d cross at a point inside both.
bool segments_cross(Point a, Point b, Point c, Point d);

// True when the point lies within a quadrilateral core, on its edge
// included, whichever way its corners run; false for the other cores.
bool inside(const Region& region, Point p);

// The narrowest wall of material left between the two areas: how far apart
// they are, 0 when they touch, below 0 when they overlap (though not by
// how much once their cores meet).
double wall_width(const Region& a, const Region& b);

// The narrowest wall between a shape inside the panel and the panel's edge;
// below 0 when it reaches beyond.
double wall_to_edge(const Box& shape, const Box& panel);

// True when the two areas share more than what prints as 0.00 mm.
bool regions_overlap(const Region& a, const Region& b);

}  // namespace veskaro::check
