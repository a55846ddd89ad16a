#include "simulate/features.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veskaro::simulate {

namespace {

// A round hole's edge lies within this of its circle, at every row that
// crosses it.
constexpr double kRoundness = 0.01;

void add_component(std::vector<std::string>& components, const std::string& name) {
    if (!name.empty() && std::find(components.begin(), components.end(), name) == components.end()) {
        components.push_back(name);
    }
}

// The components whose cuts run in the region, or within it when `nested`.
std::vector<std::string> components_in(const CutSheet& sheet, const Regions& split, int region,
                                       const std::vector<ProgramCut>& cuts, bool nested) {
    std::vector<std::string> names;
    for (const ProgramCut& cut : cuts) {
        if (cut.component.empty()) continue;
        for (const PathPoint& p : cut.points) {
            const int at = split.region_at(sheet.grid, p.x, p.y);
            if (nested ? split.within(at, region) : at == region) {
                add_component(names, cut.component);
                break;
            }
        }
    }
    return names;
}

// The diameter when every edge point of the opening lies on one circle.
std::optional<double> round_diameter(const CutSheet& sheet, const Regions& split, int hole, const Box& box) {
    const double radius = (box.width() + box.height()) / 4;
    if (std::fabs(box.width() - box.height()) > 2 * kRoundness) return std::nullopt;
    const double cx = box.centre_x(), cy = box.centre_y();
    const auto on_circle = [&](double x, double y) {
        return std::fabs(std::hypot(x - cx, y - cy) - radius) <= kRoundness;
    };
    const SheetGrid& g = sheet.grid;
    for (int row = g.row_near(box.min_y); row <= g.row_near(box.max_y); ++row) {
        double low = 1e300, high = -1e300;
        for (const Run& run : split.rows[row]) {
            if (run.region >= 0 && split.within(run.region, hole)) low = std::min<double>(low, run.from), high = std::max<double>(high, run.to);
        }
        if (low <= high && !(on_circle(low, g.row_y(row)) && on_circle(high, g.row_y(row)))) return std::nullopt;
    }
    return 2 * radius;
}

// A bridge's ends along the cut lie where the cut through meets the cut
// over the bridge at a tangent: the material there tapers to nothing, and
// the nearest row may stop well short of it.  Each end is found on lines
// across the cut, probed in double precision, to a micrometre.
void find_bridge_ends(const toolpath::Program& program, const CutSheet& sheet, double level, bool along_x,
                      Bridge& bridge) {
    const double thickness = sheet.settings.thickness;
    const double across_low = along_x ? bridge.box.min_y : bridge.box.min_x;
    const double across_high = along_x ? bridge.box.max_y : bridge.box.max_x;
    const auto holds_bridge = [&](double at) {
        for (const ProbeSpan& span : probe_line(program, sheet.settings, !along_x, at)) {
            if (span.z > -thickness + 1e-4 && span.z <= -level + 1e-4 && span.from < across_high &&
                span.to > across_low) {
                return true;
            }
        }
        return false;
    };
    const double low = along_x ? bridge.box.min_x : bridge.box.min_y;
    const double high = along_x ? bridge.box.max_x : bridge.box.max_y;
    const double middle = (low + high) / 2;
    if (!holds_bridge(middle)) return;
    const double margin = std::sqrt(sheet.settings.bit_diameter * sheet.grid.cell) + sheet.grid.cell;
    const auto end = [&](double outside) {
        double in = middle;
        for (int n = 0; n < 8 && holds_bridge(outside); ++n) outside += outside - middle;
        while (std::fabs(outside - in) > 0.0005) {
            const double half = (outside + in) / 2;
            (holds_bridge(half) ? in : outside) = half;
        }
        return (in + outside) / 2;
    };
    const double from = end(low - margin), to = end(high + margin);
    (along_x ? bridge.box.min_x : bridge.box.min_y) = from;
    (along_x ? bridge.box.max_x : bridge.box.max_y) = to;
    bridge.width = to - from;
}

}  // namespace

Box box_of(const Region& r) { return {r.min_x, r.min_y, r.max_x, r.max_y}; }

double area_within(const Regions& split, int region) {
    double area = 0;
    for (std::size_t r = 0; r < split.regions.size(); ++r) {
        if (split.within(static_cast<int>(r), region)) area += split.regions[r].area;
    }
    return area;
}

Part measure_part(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found,
                  const std::vector<ProgramCut>& cuts, const std::vector<int>& rings,
                  const toolpath::Program& program) {
    const SheetGrid& g = sheet.grid;
    const double thickness = sheet.settings.thickness;
    const Regions& left = *splits.left;
    Part part;
    part.hold = found.hold;
    part.level = found.level;
    if (found.region >= 0) {
        const Region& region = found.split->regions[found.region];
        part.box = box_of(region);
        part.at = point_of(g, region);
        // Freed, the part's region is its material; held, its region at the
        // depth it separates at holds its holes too.
        part.area = found.split == splits.left ? region.area : area_within(*found.split, found.region);
    }

    // Holes: the through-cuts in the part's material, with what lies in them.
    for (std::size_t r = 0; r < left.regions.size(); ++r) {
        const Region& region = left.regions[r];
        if (region.inside || region.parent != found.body || region.border) continue;
        if (found.hold == Hold::none && std::find(rings.begin(), rings.end(), static_cast<int>(r)) != rings.end()) {
            continue;
        }
        const SheetPoint at = point_of(g, region);
        if (!in_part(g, found, at)) continue;
        Hole hole;
        hole.box = box_of(region);
        hole.area = area_within(left, static_cast<int>(r));
        hole.min_depth = -region.max_z;
        hole.max_depth = -region.min_z;
        hole.at = at;
        hole.components = components_in(sheet, left, static_cast<int>(r), cuts, true);
        hole.diameter = round_diameter(sheet, left, static_cast<int>(r), hole.box);
        if (found.region >= 0 && found.split != splits.left) part.area -= hole.area;
        part.holes.push_back(std::move(hole));
    }

    // Pockets: cut, not through, in the part's own material.
    const Regions& pockets = splits.pockets;
    for (const Region& region : pockets.regions) {
        if (!region.inside || std::min(region.width(), region.height()) < kSmallestFeature) continue;
        const SheetPoint at = point_of(g, region);
        if (left.region_at(g, at.x, at.y) != found.body || !in_part(g, found, at)) continue;
        Pocket pocket;
        pocket.box = box_of(region);
        pocket.area = region.area;
        pocket.min_depth = -region.max_z;
        pocket.max_depth = -region.min_z;
        pocket.at = at;
        part.pockets.push_back(std::move(pocket));
    }
    for (std::size_t n = 0; n < part.pockets.size(); ++n) {
        Pocket& pocket = part.pockets[n];
        const int region = pockets.region_at(g, pocket.at.x, pocket.at.y);
        pocket.components = components_in(sheet, pockets, region, cuts, false);
    }

    // Bridges, or the skin: what is left under the cut around a held part.
    if (found.hold == Hold::bridges || found.hold == Hold::skin) {
        const Regions under = split_sheet(sheet, {-thickness + 1e-4, -found.level + 1e-4});
        for (const Region& region : under.regions) {
            if (!region.inside) continue;
            const SheetPoint at = point_of(g, region);
            if (found.split->region_at(g, at.x, at.y) != found.ring) continue;
            Bridge bridge;
            bridge.box = box_of(region);
            bridge.area = region.area;
            bridge.min_depth = -region.max_z;
            bridge.max_depth = -region.min_z;
            bridge.at = at;
            // Across the cut is the way from the part to the stock.
            const bool beside = bridge.box.centre_x() < part.box.min_x || bridge.box.centre_x() > part.box.max_x;
            const bool above = bridge.box.centre_y() < part.box.min_y || bridge.box.centre_y() > part.box.max_y;
            bridge.width = std::max(bridge.box.width(), bridge.box.height());
            if (beside != above && found.hold == Hold::bridges) {
                find_bridge_ends(program, sheet, found.level, above, bridge);
            }
            if (found.hold == Hold::bridges) {
                bridge.height = thickness - bridge.min_depth;
                part.bridges.push_back(bridge);
            } else if (!part.skin) {
                bridge.height = thickness - bridge.max_depth;
                part.skin = bridge;
            } else {
                Bridge& skin = *part.skin;
                skin.box = {std::min(skin.box.min_x, bridge.box.min_x), std::min(skin.box.min_y, bridge.box.min_y),
                            std::max(skin.box.max_x, bridge.box.max_x), std::max(skin.box.max_y, bridge.box.max_y)};
                skin.area += bridge.area;
                skin.min_depth = std::min(skin.min_depth, bridge.min_depth);
                skin.max_depth = std::max(skin.max_depth, bridge.max_depth);
                skin.height = thickness - skin.max_depth;
                skin.width = std::max(skin.box.width(), skin.box.height());
            }
        }
    }
    return part;
}

}  // namespace veskaro::simulate
