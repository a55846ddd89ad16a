// What gives a picture its scale: a grid every 10 mm (coarser on large
// drawings), the grid lines numbered in mm along the lower and left edges,
// and a marker on the origin, X0 Y0, where the programs start.
#pragma once

#include <string>

#include "preview/picture_frame.h"

namespace veskaro::preview {

// Grid and origin marker in machine coordinates, for the group that turns
// them into the picture's.
void append_grid(std::string& svg, const Frame& frame);
void append_origin(std::string& svg, const Frame& frame);

// The numbers, in picture coordinates.
void append_axis_numbers(std::string& svg, const Frame& frame);

// Draws the origin's marker, a circle with a cross, centred on a point of
// whichever coordinates the group uses.
std::string origin_marker(double x, double y, double radius, double line);

}  // namespace veskaro::preview
