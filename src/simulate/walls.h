// Walls that will break: the material of a part between two of its
// through-cuts (two holes, or a hole and the cut around the part), where it
// is thinner than a minimum.
#pragma once

#include <vector>

#include "simulate/analysis.h"
#include "simulate/features.h"
#include "simulate/parts.h"

namespace veskaro::simulate {

struct ThinWall {
    int first;   // the holes of the part by index, -1 for the cut around it
    int second;
    double width;  // the shortest distance across the material
    SheetPoint from, to;  // where it is thinnest, on either side
};

std::vector<ThinWall> thin_walls(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found,
                                 const Part& part, double minimum);

}  // namespace veskaro::simulate
