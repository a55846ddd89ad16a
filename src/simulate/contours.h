// The edges of a shape on the sheet as closed polygons, for drawing: the
// shape is a set of regions of one split (a part with its holes, the
// pockets at one depth).  Corners of the polygons lie on the rows and
// columns, where the edges cross them exactly; between them the edge is
// straight, and points that stray less than 0.005 mm from a straight line
// between their neighbours are left out.
#pragma once

#include <vector>

#include "simulate/regions.h"

namespace veskaro::simulate {

struct ContourPoint {
    double x;
    double y;
};

// Closed: the last point joins the first.  The shape lies left of the way
// the points go: outer edges run counter-clockwise, edges of holes clockwise.
using Contour = std::vector<ContourPoint>;

// `member[r]` is true for the regions of the shape.  The shape must not
// reach the edge of the grid.  `step` takes every step-th row and column:
// the corners are still exact, only fewer.
std::vector<Contour> contours(const CutSheet& sheet, const Regions& regions, const std::vector<char>& member,
                              int step = 1);

// Points that stray less than `tolerance` from a straight line between
// their neighbours left out.
Contour simplified(const Contour& contour, double tolerance);

}  // namespace veskaro::simulate
