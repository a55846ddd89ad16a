// Finding the parts on the cut sheet: every piece that a through-cut
// separates from the stock (not the slugs that fall out of its holes), and
// the piece that holds each point asked for, however it is held.
#pragma once

#include <memory>
#include <vector>

#include "simulate/analysis.h"
#include "simulate/regions.h"

namespace veskaro::simulate {

struct FoundPart {
    Hold hold = Hold::none;
    double level = 0;  // the depth of the split it separates at
    std::shared_ptr<const Regions> split;  // the sheet split at that depth
    int region = -1;   // the part in `split`; -1 with Hold::none
    int body = -1;     // the region of `left` that holds its material
    int ring = -1;     // the cut around it in `split`
};

// A point of a region: the middle of its lowest run.
SheetPoint point_of(const SheetGrid& grid, const Region& region);

// True when the point lies in the part: in its region or in one that lies
// within it (a hole, a pocket, a slug).
bool in_part(const SheetGrid& grid, const FoundPart& part, SheetPoint point);

// `left` splits the sheet into what is left and what is cut through;
// `depths` are the floors the program cuts to.  Parts holding the points
// come first, in the points' order (one with Hold::none for a point that no
// cut separates), then the other pieces cut free.
std::vector<FoundPart> find_parts(const CutSheet& sheet, const std::shared_ptr<const Regions>& left,
                                  const std::vector<SheetPoint>& points, const std::vector<double>& depths);

}  // namespace veskaro::simulate
