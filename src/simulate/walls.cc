#include "simulate/walls.h"

#include <algorithm>
#include <cmath>

namespace veskaro::simulate {

namespace {

struct Edge {
    int cut;  // the hole's index, or -1 for the cut around the part
    std::vector<SheetPoint> points;
    Box box{1e300, 1e300, -1e300, -1e300};

    void add(double x, double y) {
        points.push_back({x, y});
        box = {std::min(box.min_x, x), std::min(box.min_y, y), std::max(box.max_x, x), std::max(box.max_y, y)};
    }
};

bool near(const Box& a, const Box& b, double distance) {
    return a.min_x - distance < b.max_x && b.min_x - distance < a.max_x && a.min_y - distance < b.max_y &&
           b.min_y - distance < a.max_y;
}

bool near(const SheetPoint& p, const Box& b, double distance) {
    return p.x > b.min_x - distance && p.x < b.max_x + distance && p.y > b.min_y - distance &&
           p.y < b.max_y + distance;
}

}  // namespace

std::vector<ThinWall> thin_walls(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found,
                                 const Part& part, double minimum) {
    const SheetGrid& g = sheet.grid;
    const Regions& left = *splits.left;
    // The through-cuts that border the part: its holes, and the cut around
    // it where that goes through.
    std::vector<int> cut_of(left.regions.size(), -2);
    for (std::size_t n = 0; n < part.holes.size(); ++n) {
        cut_of[left.region_at(g, part.holes[n].at.x, part.holes[n].at.y)] = static_cast<int>(n);
    }
    if (found.hold == Hold::freed) {
        cut_of[found.ring] = -1;
    } else if (found.hold == Hold::bridges) {
        for (std::size_t r = 0; r < left.regions.size(); ++r) {
            const Region& region = left.regions[r];
            if (region.inside || region.parent != found.body || cut_of[r] != -2) continue;
            const SheetPoint at = point_of(g, region);
            if (found.split->region_at(g, at.x, at.y) == found.ring) cut_of[r] = -1;
        }
    }
    std::vector<Edge> edges(part.holes.size() + 1);
    for (std::size_t n = 0; n < edges.size(); ++n) edges[n].cut = static_cast<int>(n) - 1;
    const auto edge_of = [&](int region) -> Edge* {
        if (region < 0 || cut_of[region] == -2) return nullptr;
        return &edges[cut_of[region] + 1];
    };
    // The points where a through-cut meets the part's material, on the rows
    // and the columns.
    const auto is_part = [&](const Run& run, double x, double y) {
        return run.region == found.body && in_part(g, found, {x, y});
    };
    const auto collect = [&](const RunLine& runs, bool row, double at) {
        for (std::size_t n = 0; n < runs.size(); ++n) {
            Edge* edge = edge_of(runs[n].region);
            if (edge == nullptr) continue;
            const auto add = [&](double along) { row ? edge->add(along, at) : edge->add(at, along); };
            if (n > 0) {
                const Run& before = runs[n - 1];
                const double mid = (before.from + before.to) / 2;
                if (is_part(before, row ? mid : at, row ? at : mid)) add(runs[n].from);
            }
            if (n + 1 < runs.size()) {
                const Run& after = runs[n + 1];
                const double mid = (after.from + after.to) / 2;
                if (is_part(after, row ? mid : at, row ? at : mid)) add(runs[n].to);
            }
        }
    };
    for (int row = 0; row < g.rows; ++row) collect(left.rows[row], true, g.row_y(row));
    for (int column = 0; column < g.columns; ++column) collect(left.columns[column], false, g.column_x(column));

    std::vector<ThinWall> walls;
    for (std::size_t a = 0; a < edges.size(); ++a) {
        for (std::size_t b = a + 1; b < edges.size(); ++b) {
            const Edge& first = edges[a];
            const Edge& second = edges[b];
            if (first.points.empty() || second.points.empty() || !near(first.box, second.box, minimum)) continue;
            std::vector<SheetPoint> near_second, near_first;
            for (const SheetPoint& p : first.points) {
                if (near(p, second.box, minimum)) near_second.push_back(p);
            }
            for (const SheetPoint& p : second.points) {
                if (near(p, first.box, minimum)) near_first.push_back(p);
            }
            ThinWall wall{first.cut, second.cut, minimum, {}, {}};
            for (const SheetPoint& p : near_second) {
                for (const SheetPoint& q : near_first) {
                    const double d = std::hypot(p.x - q.x, p.y - q.y);
                    if (d < wall.width) wall.width = d, wall.from = p, wall.to = q;
                }
            }
            if (wall.width < minimum) walls.push_back(wall);
        }
    }
    return walls;
}

}  // namespace veskaro::simulate
