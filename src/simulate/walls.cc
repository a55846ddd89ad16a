#include "simulate/walls.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

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
    // A freed part is its material; a held one is joined to the stock.
    const bool freed = found.split == splits.left;
    const auto is_part = [&](const Run& run, double x, double y) {
        return run.region == found.body && (freed || in_part(g, found, {x, y}));
    };
    // Thin walls lie near the holes: only the rows and columns that cross
    // a hole's box widened by the minimum are looked at.
    std::vector<char> rows(g.rows, 0);
    std::vector<std::pair<float, float>> columns(g.columns, {1e30f, -1e30f});  // the stretch of each to look at
    for (const Hole& hole : part.holes) {
        const double pad = minimum + g.cell;
        for (int r = g.row_near(hole.box.min_y - pad); r <= g.row_near(hole.box.max_y + pad); ++r) rows[r] = 1;
        for (int c = g.column_near(hole.box.min_x - pad); c <= g.column_near(hole.box.max_x + pad); ++c) {
            columns[c].first = std::min(columns[c].first, static_cast<float>(hole.box.min_y - pad));
            columns[c].second = std::max(columns[c].second, static_cast<float>(hole.box.max_y + pad));
        }
    }
    // On a row: the ends of every run of a through-cut that meet a run of
    // the part's material.
    for (int row = 0; row < g.rows; ++row) {
        if (!rows[row]) continue;
        const RunLine runs = left.rows[row];
        const double y = g.row_y(row);
        for (std::size_t n = 0; n < runs.size(); ++n) {
            Edge* edge = edge_of(runs[n].region);
            if (edge == nullptr) continue;
            if (n > 0 && is_part(runs[n - 1], (runs[n - 1].from + runs[n - 1].to) / 2, y)) edge->add(runs[n].from, y);
            if (n + 1 < runs.size() && is_part(runs[n + 1], (runs[n + 1].from + runs[n + 1].to) / 2, y)) {
                edge->add(runs[n].to, y);
            }
        }
    }
    // On a column: where the floor goes from through to not, each side
    // named by the row that crosses it nearest its middle.
    const auto region_near = [&](int column, float from, float to) {
        const int first = g.first_row(from);
        const int last = g.last_row(to);
        if (first > last) return static_cast<const Run*>(nullptr);
        const int row = std::clamp(g.row_near((from + to) / 2), first, last);
        return run_at(left.rows[row], static_cast<float>(g.column_x(column)));
    };
    const float bottom = static_cast<float>(g.origin_y), top = static_cast<float>(g.origin_y + g.rows * g.cell);
    for (int column = 0; column < g.columns; ++column) {
        if (columns[column].first > columns[column].second) continue;
        const DepthLine& line = sheet.columns[column];
        const double x = g.column_x(column);
        // The end of the stretch that starts at `y`.
        const auto end_above = [&](float y) {
            return kind_ends(line, left.range, std::nextafter(y, top), false, bottom, top);
        };
        // From the start of the stretch that holds the window's lower end.
        const float window_top = std::min(top, columns[column].second);
        float from = kind_ends(line, left.range, std::max(bottom, columns[column].first), true, bottom, top);
        while (from < window_top) {
            const float to = end_above(from);
            if (to >= top) break;
            const float next = end_above(to);
            // [from, to] and [to, next] are of the two kinds.
            const Run* below = region_near(column, from, to);
            const Run* above = region_near(column, to, next);
            if (below != nullptr && above != nullptr) {
                Edge* up = edge_of(below->region);
                Edge* down = edge_of(above->region);
                if (up != nullptr && is_part(*above, x, (to + next) / 2.0)) up->add(x, to);
                if (down != nullptr && is_part(*below, x, (from + to) / 2.0)) down->add(x, to);
            }
            from = to;
        }
    }

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
            double closest = minimum * minimum;
            for (const SheetPoint& p : near_second) {
                for (const SheetPoint& q : near_first) {
                    const double dx = p.x - q.x, dy = p.y - q.y;
                    const double d = dx * dx + dy * dy;
                    if (d < closest) closest = d, wall.from = p, wall.to = q;
                }
            }
            wall.width = std::sqrt(closest);
            if (wall.width < minimum) walls.push_back(wall);
        }
    }
    return walls;
}

}  // namespace veskaro::simulate
