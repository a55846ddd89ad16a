// A part's features measured: its size and area, its holes (with the
// components cut into them, and the diameter of a round one), its pockets,
// and the bridges or the skin that hold it.
#pragma once

#include <memory>
#include <vector>

#include "simulate/analysis.h"
#include "simulate/parts.h"
#include "simulate/program_cuts.h"
#include "simulate/regions.h"

namespace veskaro::simulate {

// Pockets and islands smaller than this across are no features: the
// slivers where two edges meet at a tangent, the ridges where rings of a
// recess meet a hundredth apart.
constexpr double kSmallestFeature = 0.02;

struct SheetSplits {
    std::shared_ptr<const Regions> left;  // material left, and what is cut through
    Regions pockets;                      // cut but not through, and the rest
};

// `rings` are the through-cuts around the parts and within held parts,
// which are no holes of the stock (a part with Hold::none).
Part measure_part(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found,
                  const std::vector<ProgramCut>& cuts, const std::vector<int>& rings,
                  const toolpath::Program& program);

// The area of a region and of every region within it.
double area_within(const Regions& split, int region);

// The extents of a region as a box.
Box box_of(const Region& region);

}  // namespace veskaro::simulate
