// Geometry of the arcs of G2 (clockwise) and G3 (counter-clockwise) moves in
// the XY plane.  An arc whose end point equals its start point is a full
// circle; an arc of radius 0 is a point.
#pragma once

#include "toolpath/moves.h"

namespace veskaro::toolpath {

struct Extents;

// Distance from the centre to the start point, and to the end point.
double arc_radius(const Move& arc);
double arc_end_radius(const Move& arc);

// Angle swept from start to end in the arc's own direction, in radians, in
// (0, 2π]; 2π for a full circle, 0 for a zero radius.
double arc_sweep(const Move& arc);

// Length along the arc, with any change of Z as a helix.
double arc_length(const Move& arc);

// Adds the arc's start, end and the extreme points of the circle that lie on
// it (the left, right, lowest and highest points it passes).
void add_arc(Extents& extents, const Move& arc);

}  // namespace veskaro::toolpath
