// The depth levels of a program's cuts, their shades, and the key that
// explains the shades, the dashes and the origin marker.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "toolpath/moves.h"
#include "preview/picture_frame.h"

namespace veskaro::preview {

// The cutting moves by the depth they reach, in tenths of a micrometre
// below the surface, the shallowest first.
using DepthLevels = std::map<long, std::vector<const toolpath::Move*>>;

DepthLevels depth_levels(const toolpath::Program& program);

// Z of a level, in mm.
double level_z(long key);

// Shade of a cut at `z`: light near the surface, dark at the deepest Z.
std::string depth_colour(double z, double deepest_z);

// One line of the title band, at `baseline`: a swatch for every level
// between the shallowest and the deepest Z, the dashes of rapid moves and the
// origin marker, each with its words.
void append_key(std::string& svg, const Frame& frame, const DepthLevels& levels, double deepest_z, double baseline);

}  // namespace veskaro::preview
