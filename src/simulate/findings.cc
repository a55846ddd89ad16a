#include "simulate/findings.h"

#include <algorithm>
#include <cmath>

#include "base/decimal_text.h"
#include "simulate/walls.h"

namespace veskaro::simulate {

using namespace toolpath;

namespace {

// Differences below this print as 0.00 and are not findings.
constexpr double kNoticeable = 0.005;

const char* const kSides[4] = {"left", "right", "bottom", "top"};

// Two decimals; what rounds to zero prints as 0.00, not -0.00.
std::string mm(double value) { return fixed_decimals_zero_unsigned(value, 2); }

// Boxes that share more than what prints as 0.00 each way; a cut that only
// touches the part lies outside it.
bool boxes_meet(const Box& a, const Box& b) {
    return std::min(a.max_x, b.max_x) - std::max(a.min_x, b.min_x) >= kNoticeable &&
           std::min(a.max_y, b.max_y) - std::max(a.min_y, b.min_y) >= kNoticeable;
}

bool encloses(const Box& outer, const Box& inner) {
    return outer.min_x <= inner.min_x + kNoticeable && outer.max_x >= inner.max_x - kNoticeable &&
           outer.min_y <= inner.min_y + kNoticeable && outer.max_y >= inner.max_y - kNoticeable;
}

Box box_of(const Extents& e) { return {e.min_x, e.min_y, e.max_x, e.max_y}; }

std::string quoted_list(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t n = 0; n < names.size(); ++n) {
        if (n > 0) text += n + 1 == names.size() ? " and " : ", ";
        text += names[n];
    }
    return text;
}

// A hole as a finding names it: by its first component, or where it is.
std::string hole_name(const Hole& hole) {
    if (!hole.components.empty()) return "\"" + hole.components.front() + "\"";
    return "the hole at " + mm(hole.box.centre_x()) + ", " + mm(hole.box.centre_y());
}

// The cuts whose path runs in the region (or within it) at a floor of at
// most `deepest`.
std::vector<std::size_t> cuts_in(const CutSheet& sheet, const Regions& split, int region,
                                 const std::vector<ProgramCut>& cuts, double deepest) {
    std::vector<std::size_t> found;
    for (std::size_t n = 0; n < cuts.size(); ++n) {
        for (const PathPoint& p : cuts[n].points) {
            if (p.z <= deepest && split.within(split.region_at(sheet.grid, p.x, p.y), region)) {
                found.push_back(n);
                break;
            }
        }
    }
    return found;
}

}  // namespace

void find_cuts_beyond(const Part& part, const std::vector<const Part*>& parts, const std::vector<ProgramCut>& cuts,
                      std::vector<Finding>& findings) {
    if (part.hold == Hold::none) return;
    const Box& panel = part.box;
    // A feature at a time: all the rings, rows, levels and passes of one.
    for (const std::vector<std::size_t>& feature : features_of(cuts)) {
        const ProgramCut& cut = cuts[feature.front()];
        Extents reach;
        double deepest = 0;
        for (std::size_t n : feature) {
            reach.add(cuts[n].reach);
            deepest = std::min(deepest, cuts[n].deepest_z);
        }
        const Box shape = box_of(reach);
        if (std::any_of(parts.begin(), parts.end(), [&](const Part* p) { return encloses(shape, p->box); })) continue;
        // The cut belongs to the part it meets, or else to the nearest.
        const auto gap = [&](const Box& b) {
            return std::max({b.min_x - shape.max_x, shape.min_x - b.max_x, b.min_y - shape.max_y,
                             shape.min_y - b.max_y, 0.0});
        };
        const Part* nearest = parts.front();
        for (const Part* p : parts) {
            if (gap(p->box) < gap(nearest->box)) nearest = p;
        }
        if (nearest != &part) continue;
        Finding finding{FindingKind::beyond_outline, "", shape, 0, 0, -deepest, cut.first_line};
        if (!boxes_meet(shape, panel)) {
            const double gaps[4] = {panel.min_x - shape.max_x, shape.min_x - panel.max_x, panel.min_y - shape.max_y,
                                    shape.min_y - panel.max_y};
            int side = 0;
            for (int i = 1; i < 4; ++i) side = gaps[i] > gaps[side] ? i : side;
            finding.figure = gaps[side];
            finding.text = cut_name(cut) + " lies wholly outside the part, " + mm(gaps[side]) + " mm beyond its " +
                           kSides[side] + " edge";
        } else {
            const double beyond[4] = {panel.min_x - shape.min_x, shape.max_x - panel.max_x,
                                      panel.min_y - shape.min_y, shape.max_y - panel.max_y};
            std::string text;
            for (int i = 0; i < 4; ++i) {
                if (!(beyond[i] >= kNoticeable)) continue;
                const bool first = text.empty();
                text += (first ? " reaches " : " and ") + mm(beyond[i]) + " mm beyond " +
                        (first ? "the part's " : "its ") + kSides[i] + " edge";
                finding.figure = std::max(finding.figure, beyond[i]);
            }
            if (text.empty()) continue;
            finding.text = cut_name(cut) + text;
        }
        findings.push_back(finding);
    }
}

void find_merged_holes(const CutSheet& sheet, const SheetSplits& splits, const Part& part,
                       const std::vector<ProgramCut>& cuts, std::vector<Finding>& findings) {
    const Regions& left = *splits.left;
    const double bottom = -sheet.settings.thickness + 1e-4;
    for (const Hole& hole : part.holes) {
        const int region = left.region_at(sheet.grid, hole.at.x, hole.at.y);
        const std::vector<std::size_t> in = cuts_in(sheet, left, region, cuts, bottom);
        std::vector<std::size_t> openings;
        for (std::size_t n : in) {
            if (std::none_of(openings.begin(), openings.end(),
                             [&](std::size_t o) { return one_feature(cuts[o], cuts[n]); })) {
                openings.push_back(n);
            }
        }
        if (openings.size() < 2) continue;
        std::vector<std::string> names;
        for (std::size_t n : openings) names.push_back(cut_name(cuts[n]));
        findings.push_back({FindingKind::merged_holes, quoted_list(names) + " are cut as one hole", hole.box, 0,
                            hole.min_depth, hole.max_depth, 0});
    }
}

void find_thin_walls(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found, const Part& part,
                     double minimum, std::vector<Finding>& findings) {
    for (const ThinWall& wall : thin_walls(sheet, splits, found, part, minimum)) {
        const auto name = [&](int cut) { return cut < 0 ? std::string("the outline") : hole_name(part.holes[cut]); };
        const bool outline_first = wall.first < 0;
        const Box where{std::min(wall.from.x, wall.to.x), std::min(wall.from.y, wall.to.y),
                        std::max(wall.from.x, wall.to.x), std::max(wall.from.y, wall.to.y)};
        findings.push_back({FindingKind::thin_wall,
                            "the wall between " + name(outline_first ? wall.second : wall.first) + " and " +
                                name(outline_first ? wall.first : wall.second) + " is " +
                                mm(wall.width) + " mm",
                            where, wall.width, 0, 0, 0});
    }
}

void find_uncut_skin(const CutSheet& sheet, const Part& part, std::vector<Finding>& findings) {
    const double thickness = sheet.settings.thickness;
    if (part.skin) {
        findings.push_back({FindingKind::uncut_skin,
                            "uncut skin " + mm(part.skin->height) + " mm thick under the cut around the part",
                            part.skin->box, part.skin->height, part.skin->min_depth, part.skin->max_depth, 0});
    }
    // A component's opening is meant to go through: one that is a pocket
    // stops short.
    for (const Pocket& pocket : part.pockets) {
        if (pocket.components.empty()) continue;
        const double skin = thickness - pocket.max_depth;
        findings.push_back({FindingKind::uncut_skin,
                            "uncut skin " + mm(skin) + " mm thick under \"" + pocket.components.front() + "\"",
                            pocket.box, skin, pocket.min_depth, pocket.max_depth, 0});
    }
}

void find_islands(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found, const Part& part,
                  std::vector<Finding>& findings) {
    const SheetGrid& g = sheet.grid;
    const Regions& pockets = splits.pockets;
    for (const Region& region : pockets.regions) {
        // Uncut all through, and wholly inside a pocket.
        if (region.inside || region.border || region.min_z < 0 || region.parent < 0) continue;
        if (!pockets.regions[region.parent].inside) continue;
        const SheetPoint at = point_of(g, region);
        if (splits.left->region_at(g, at.x, at.y) != found.body || !in_part(g, found, at)) continue;
        // The part's own top stands in the cut around it when that stops
        // short everywhere: that cut is not in the part.
        if (!in_part(g, found, point_of(g, pockets.regions[region.parent]))) continue;
        // Smaller than two cells, an island is a splinter where edges meet
        // at a tangent.
        if (std::min(region.width(), region.height()) < 2 * g.cell) continue;
        // In a through-cut that stops short (an opening, or a pocket as deep
        // as the program's deepest cut where that is not through), the slug
        // stands on the skin, which is found.
        // Through-cuts that stop short: a component's opening, or any cut
        // as deep as the skin under the cut around the part.
        const auto short_cut = [&](int around) {
            return std::any_of(part.pockets.begin(), part.pockets.end(), [&](const Pocket& pocket) {
                const bool meant_through = !pocket.components.empty() ||
                                           (part.skin && std::fabs(pocket.max_depth - part.skin->max_depth) <= 1e-4);
                return meant_through && pockets.region_at(g, pocket.at.x, pocket.at.y) == around;
            });
        };
        bool on_slug = false;
        for (int around = region.parent; around >= 0 && !on_slug; around = pockets.regions[around].parent) {
            on_slug = pockets.regions[around].inside && short_cut(around);
        }
        if (on_slug) continue;
        const double across = std::max(region.width(), region.height());
        findings.push_back({FindingKind::island,
                            "an island " + mm(across) + " mm across stands uncut in a recess", box_of(region),
                            across, 0, 0, 0});
    }
}

void find_rapids_in_material(const Program& program, std::vector<Finding>& findings) {
    for (const Move& move : program.moves) {
        if (is_cutting(move)) continue;
        const bool moved = move.from.x != move.to.x || move.from.y != move.to.y;
        const double low = std::min(move.from.z, move.to.z);
        const bool down = move.to.z < move.from.z;
        if (!(low < 0) || !(moved || down)) continue;
        const Box where{std::min(move.from.x, move.to.x), std::min(move.from.y, move.to.y),
                        std::max(move.from.x, move.to.x), std::max(move.from.y, move.to.y)};
        findings.push_back({FindingKind::rapid_in_material,
                            "a rapid move at line " + std::to_string(move.line) + " runs below Z 0, down to Z " +
                                mm(low),
                            where, -low, std::max(0.0, -std::max(move.from.z, move.to.z)), -low, move.line});
    }
}

}  // namespace veskaro::simulate
