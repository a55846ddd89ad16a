#include "simulate/parts.h"

#include <algorithm>

namespace veskaro::simulate {

namespace {

// The outermost region: the stock along the grid's edge.
int stock_of(const Regions& split) { return split.rows.empty() ? -1 : split.rows[0].front().region; }

// The piece that holds `region`, leaving the slugs of holes for the piece
// whose hole they lie in.  Returns the stock for what it holds.
int piece_holding(const Regions& split, int region) {
    const int stock = stock_of(split);
    if (region < 0) return stock;
    if (!split.regions[region].inside) region = split.regions[region].parent;
    while (region >= 0 && region != stock) {
        const int around = split.regions[region].parent;
        const int outside = around < 0 ? -1 : split.regions[around].parent;
        if (outside < 0 || outside == stock) return region;
        region = outside;
    }
    return stock;
}

// The part separated at `depth` that holds the point, or -1.
int separated_at(const Regions& split, const SheetGrid& grid, SheetPoint point) {
    const int piece = piece_holding(split, split.region_at(grid, point.x, point.y));
    return piece == stock_of(split) ? -1 : piece;
}

}  // namespace

SheetPoint point_of(const SheetGrid& grid, const Region& region) {
    return {region.low_x, grid.row_y(region.low_row)};
}

bool in_part(const SheetGrid& grid, const FoundPart& part, SheetPoint point) {
    if (part.region < 0) return true;
    return part.split->within(part.split->region_at(grid, point.x, point.y), part.region);
}

std::vector<FoundPart> find_parts(const CutSheet& sheet, const std::shared_ptr<const Regions>& left,
                                  const std::vector<SheetPoint>& points, const std::vector<double>& depths) {
    const SheetGrid& g = sheet.grid;
    const double thickness = sheet.settings.thickness;
    std::vector<FoundPart> parts;
    const auto found = [&](int region, const std::shared_ptr<const Regions>& split) {
        for (const FoundPart& part : parts) {
            if (part.split == split && part.region == region) return true;
        }
        return false;
    };
    // Depths that a cut around a part may stop at, short of the bottom.
    std::vector<double> short_of_bottom;
    for (double depth : depths) {
        if (depth < thickness - 1e-4) short_of_bottom.push_back(depth);
    }

    for (const SheetPoint& point : points) {
        const int freed = separated_at(*left, g, point);
        if (freed >= 0) {
            if (!found(freed, left)) parts.push_back({Hold::freed, thickness, left, freed, freed, left->regions[freed].parent});
            continue;
        }
        // Held: the deepest cut around the point that separates it.  What a
        // cut separates, a shallower one separates too.
        std::size_t low = 0, high = short_of_bottom.size();
        std::shared_ptr<const Regions> best;
        int best_region = -1;
        double best_depth = 0;
        while (low < high) {
            const std::size_t middle = (low + high) / 2;
            auto split = std::make_shared<const Regions>(split_sheet(sheet, standing_above(short_of_bottom[middle])));
            const int region = separated_at(*split, g, point);
            if (region >= 0) {
                best = split, best_region = region, best_depth = short_of_bottom[middle];
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        FoundPart part;
        if (best_region >= 0) {
            const Region& region = best->regions[best_region];
            const int ring = region.parent;
            // Held by bridges where the cut around it goes through for the
            // most part; by a skin where it mostly stops short (a
            // through-cut across it here and there does not free it).
            double through = 0;
            for (const Region& cut : left->regions) {
                if (cut.inside) continue;
                const SheetPoint at = point_of(g, cut);
                if (best->region_at(g, at.x, at.y) == ring) through += cut.area;
            }
            part.hold = 2 * through > best->regions[ring].area ? Hold::bridges : Hold::skin;
            part.level = best_depth;
            part.split = best;
            part.region = best_region;
            part.ring = ring;
            const SheetPoint at = point_of(g, region);
            part.body = left->region_at(g, at.x, at.y);
        } else {
            part.split = left;
            part.body = stock_of(*left);
        }
        parts.push_back(part);
    }
    // Every other piece cut free; not a splinter narrower than two cells,
    // left where the rings of a recess through the sheet meet a hundredth
    // apart.
    for (std::size_t r = 0; r < left->regions.size(); ++r) {
        const int region = static_cast<int>(r);
        if (!left->regions[r].inside || left->regions[r].border) continue;
        if (std::min(left->regions[r].width(), left->regions[r].height()) < 2 * g.cell) continue;
        if (piece_holding(*left, region) != region || found(region, left)) continue;
        parts.push_back({Hold::freed, thickness, left, region, region, left->regions[r].parent});
    }
    return parts;
}

}  // namespace veskaro::simulate
