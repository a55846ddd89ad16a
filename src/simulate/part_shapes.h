// The edges of a measured part, for drawing it: its outline, its holes, its
// pockets cut to each depth, its bridges or skin.
#pragma once

#include <vector>

#include "simulate/analysis.h"
#include "simulate/features.h"
#include "simulate/parts.h"

namespace veskaro::simulate {

// `depths` are the floors of Analysis::depths.
PartShapes part_shapes(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found, const Part& part,
                       const std::vector<double>& depths);

}  // namespace veskaro::simulate
