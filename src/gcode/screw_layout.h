// Where the corner screws of a horizontal face go, and the sizes their holes
// and head recesses are cut with.
#pragma once

#include "gcode/arguments.h"
#include "gcode/geometry.h"

namespace veskaro {

struct ScrewLayout {
    // The top size when above 0, else the bottom size when above 0, else 0:
    // a "_Bottom" face takes the top size whenever there is one.
    float screw = 0;
    // The head diameter less half the bit; recesses are cut only when it is
    // above 0.
    float head = 0;
    // Tool-centre radius of the hole: half the screw less half the bit.
    float hole_radius = 0;
    // Tool-centre radius of the outermost ring of a head recess; the rings
    // step inward by the bit diameter while the radius is not below 0.
    float first_ring = 0;
    // Lower left, lower right, upper left, upper right, inset from the edges
    // by the clearance of the wider of head and hole, the material thickness
    // and the extra margin.  Nothing keeps the high corners above the low
    // ones on a face too small for the insets.
    Point corners[4]{};
};

ScrewLayout screw_layout(float width, float height, const Arguments& settings);

// The screw diameter that every screw block drills: the top size when above
// 0, else the bottom size when above 0, else 0.
float screw_diameter(const Arguments& settings);

// True when the top size is the one drilled, also on "_Bottom" faces.
bool top_screw_size_applies(const Arguments& settings);

// The head diameter less half the bit: head recesses are cut only when it
// is above 0.
float effective_head_diameter(const Arguments& settings);

}  // namespace veskaro
