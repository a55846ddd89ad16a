// The depth levels of a program's cuts, their shades, and the key that
// explains the shades, the dashes and the origin marker.
#pragma once

#include <cstddef>
#include <utility>
#include <string>
#include <vector>

#include "toolpath/moves.h"
#include "preview/picture_frame.h"

namespace veskaro::preview {

// One depth of the cuts: `key` is the depth the moves reach, in tenths of a
// micrometre below the surface; its moves are DepthLevels::moves[first] to
// [first + count - 1].
struct DepthLevel {
    long key = 0;
    std::size_t first = 0;
    std::size_t count = 0;
};

// The cutting moves by the depth they reach, the shallowest first.  Flat
// lists, so that a program whose every move reaches a depth of its own
// takes a few words per move.
struct DepthLevels {
    // The cutting moves, as their level's key and their index in the
    // program (toolpath::MoveList), level by level, each level's in program
    // order.
    std::vector<std::pair<long, std::size_t>> moves;
    std::vector<DepthLevel> levels;
};

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
