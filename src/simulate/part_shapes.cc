#include "simulate/part_shapes.h"

#include <cmath>

namespace veskaro::simulate {

namespace {

// The region at the point with every region within it.
std::vector<char> region_and_within(const Regions& split, const SheetGrid& grid, SheetPoint point) {
    std::vector<char> member(split.regions.size(), 0);
    const int region = split.region_at(grid, point.x, point.y);
    if (region < 0) return member;
    for (std::size_t r = 0; r < split.regions.size(); ++r) member[r] = split.within(static_cast<int>(r), region);
    return member;
}

}  // namespace

PartShapes part_shapes(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found, const Part& part,
                       const std::vector<double>& depths) {
    const SheetGrid& g = sheet.grid;
    const double thickness = sheet.settings.thickness;
    const Regions& left = *splits.left;
    // Drawn on every other row and column while that still crosses every
    // cut twice: the corners stay exact, a tenth of a millimetre apart.
    const int step = g.cell <= sheet.settings.bit_diameter / 4 ? 2 : 1;
    PartShapes shapes;
    // The part's own region: its edge and the edges of its holes, in one.
    // Without a part, the holes are drawn on their own.
    if (found.region >= 0) {
        std::vector<char> member(found.split->regions.size(), 0);
        member[found.region] = 1;
        shapes.outline = contours(sheet, *found.split, member, step);
    } else {
        for (const Hole& hole : part.holes) {
            shapes.holes.push_back(contours(sheet, left, region_and_within(left, g, hole.at), step));
        }
    }

    // Each pocket at its shallowest floor; where a pocket has deeper floors,
    // each deeper level over it.
    const Regions& pockets = splits.pockets;
    std::vector<char> pocket_member(pockets.regions.size(), 0);
    double deeper_than = 1e300, deepest = -1;
    for (const Pocket& pocket : part.pockets) {
        pocket_member[pockets.region_at(g, pocket.at.x, pocket.at.y)] = 1;
        if (pocket.max_depth > pocket.min_depth + 1e-4) {
            deeper_than = std::min(deeper_than, pocket.min_depth);
            deepest = std::max(deepest, pocket.max_depth);
        }
    }
    for (double depth : depths) {
        if (!(depth > 0 && depth < thickness - 1e-4)) continue;
        std::vector<char> member(pockets.regions.size(), 0);
        bool any = false;
        for (std::size_t n = 0; n < part.pockets.size(); ++n) {
            const Pocket& pocket = part.pockets[n];
            if (std::fabs(pocket.min_depth - depth) > 1e-4) continue;
            member[pockets.region_at(g, pocket.at.x, pocket.at.y)] = 1;
            any = true;
        }
        if (any) shapes.pockets.push_back({depth, contours(sheet, pockets, member, step)});
        if (!(depth > deeper_than + 1e-4 && depth <= deepest + 1e-4)) continue;
        const Regions level = split_sheet(sheet, {-thickness + 1e-4, -depth + 1e-4});
        std::vector<char> deeper(level.regions.size(), 0);
        any = false;
        for (std::size_t r = 0; r < level.regions.size(); ++r) {
            if (!level.regions[r].inside) continue;
            const SheetPoint p = point_of(g, level.regions[r]);
            const int pocket = pockets.region_at(g, p.x, p.y);
            deeper[r] = pocket >= 0 && pocket_member[pocket];
            any = any || deeper[r];
        }
        if (any) shapes.pockets.push_back({depth, contours(sheet, level, deeper, step)});
    }
    if (!part.bridges.empty() || part.skin) {
        const Regions under = split_sheet(sheet, {-thickness + 1e-4, -part.level + 1e-4});
        std::vector<SheetPoint> points;
        for (const Bridge& bridge : part.bridges) points.push_back(bridge.at);
        if (part.skin) points.push_back(part.skin->at);
        for (const SheetPoint& p : points) shapes.bridges.push_back(contours(sheet, under, region_and_within(under, g, p), step));
    }
    return shapes;
}

}  // namespace veskaro::simulate
