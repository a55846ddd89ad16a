#include "simulate/contours.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veskaro::simulate {

namespace {

using Interval = std::pair<float, float>;

void member_intervals(const RunLine& runs, const std::vector<char>& member, std::vector<Interval>& out) {
    out.clear();
    for (const Run& run : runs) {
        if (run.region < 0 || !member[run.region]) continue;
        if (!out.empty() && out.back().second >= run.from) {
            out.back().second = run.to;
        } else {
            out.push_back({run.from, run.to});
        }
    }
}

bool inside(const std::vector<Interval>& intervals, double x) {
    const auto at = std::lower_bound(intervals.begin(), intervals.end(), x,
                                     [](const Interval& i, double v) { return i.second < v; });
    return at != intervals.end() && at->first <= x;
}

// Where the row's shape begins or ends between `a` and `b`.
double row_crossing(const std::vector<Interval>& intervals, double a, double b) {
    const auto at = std::lower_bound(intervals.begin(), intervals.end(), a,
                                     [](const Interval& i, double v) { return i.second < v; });
    if (at != intervals.end()) {
        if (at->first >= a && at->first <= b) return at->first;
        if (at->second <= b) return at->second;
    }
    return (a + b) / 2;
}

// Where the column's shape begins or ends between rows at `a` and `b`, the
// point at `a` being in the shape or not as `from_inside` says.
double column_crossing(const RunLine& runs, const std::vector<char>& member, float a, float b, bool from_inside) {
    auto run = std::lower_bound(runs.begin(), runs.end(), a, [](const Run& r, float v) { return r.to < v; });
    if (run != runs.end()) ++run;
    for (; run != runs.end() && run->from < b; ++run) {
        if (run->region >= 0 && static_cast<bool>(member[run->region]) != from_inside) return run->from;
    }
    return (a + b) / 2.0;
}

struct Segment {
    long long from;
    long long to;
    ContourPoint at;  // the point on the edge `from`
};

// Perpendicular distance of p from the line through a and b.
double off_line(const ContourPoint& p, const ContourPoint& a, const ContourPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return std::hypot(p.x - a.x, p.y - a.y);
    return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
}

}  // namespace

std::vector<Contour> contours(const SheetGrid& g, const Regions& regions, const std::vector<char>& member) {
    const long long stride = g.columns + 1;
    const auto across = [&](int i, int j) { return 2 * (j * stride + i); };    // on row j, cell i
    const auto along = [&](int i, int j) { return 2 * (j * stride + i) + 1; };  // on column i, cell row j
    const auto cell_of = [&](double x) {
        return std::clamp(static_cast<int>(std::floor((x - g.origin_x) / g.cell - kLineOffset)), 0, g.columns - 2);
    };

    // Only the rows the shape's regions span.
    double low_y = 1e300, high_y = -1e300;
    for (std::size_t r = 0; r < regions.regions.size(); ++r) {
        if (!member[r]) continue;
        low_y = std::min(low_y, regions.regions[r].min_y);
        high_y = std::max(high_y, regions.regions[r].max_y);
    }
    if (low_y > high_y) return {};
    const int first_row = std::max(0, g.row_near(low_y) - 1);
    const int last_row = std::min(g.rows - 1, g.row_near(high_y) + 1);

    std::vector<Segment> segments;
    std::vector<Interval> low, high;
    std::vector<std::pair<float, int>> edges;
    std::vector<int> cells;
    for (int j = first_row; j < last_row; ++j) {
        member_intervals(regions.rows[j], member, low);
        member_intervals(regions.rows[j + 1], member, high);
        if (low.empty() && high.empty()) continue;
        // The cells where the shape has an edge: those that hold an end of
        // it on either row, and those between where one row is in the shape
        // and the other is not.
        edges.clear();
        for (const Interval& i : low) edges.push_back({i.first, 1}), edges.push_back({i.second, 1});
        for (const Interval& i : high) edges.push_back({i.first, 2}), edges.push_back({i.second, 2});
        std::sort(edges.begin(), edges.end());
        cells.clear();
        int state = 0;
        for (std::size_t n = 0; n < edges.size(); ++n) {
            cells.push_back(cell_of(edges[n].first));
            state ^= edges[n].second;
            if ((state == 1 || state == 2) && n + 1 < edges.size()) {
                for (int c = cell_of(edges[n].first) + 1; c < cell_of(edges[n + 1].first); ++c) cells.push_back(c);
            }
        }
        std::sort(cells.begin(), cells.end());
        cells.erase(std::unique(cells.begin(), cells.end()), cells.end());

        const double y0 = g.row_y(j), y1 = g.row_y(j + 1);
        for (int i : cells) {
            const double x0 = g.column_x(i), x1 = g.column_x(i + 1);
            const bool c0 = inside(low, x0), c1 = inside(low, x1), c2 = inside(high, x1), c3 = inside(high, x0);
            const int corners = c0 | c1 << 1 | c2 << 2 | c3 << 3;
            if (corners == 0 || corners == 15) continue;
            const auto bottom = [&] { return Segment{across(i, j), 0, {row_crossing(low, x0, x1), y0}}; };
            const auto top = [&] { return Segment{across(i, j + 1), 0, {row_crossing(high, x0, x1), y1}}; };
            const auto left = [&] {
                return Segment{along(i, j), 0,
                               {x0, column_crossing(regions.columns[i], member, static_cast<float>(y0),
                                                    static_cast<float>(y1), c0)}};
            };
            const auto right = [&] {
                return Segment{along(i + 1, j), 0,
                               {x1, column_crossing(regions.columns[i + 1], member, static_cast<float>(y0),
                                                    static_cast<float>(y1), c1)}};
            };
            const auto link = [&](Segment from, const Segment& to) {
                from.to = to.from;
                segments.push_back(from);
            };
            switch (corners) {
                case 1: link(bottom(), left()); break;
                case 2: link(right(), bottom()); break;
                case 3: link(right(), left()); break;
                case 4: link(top(), right()); break;
                case 5: {
                    // The two inside corners are joined when the rows' runs
                    // overlap, as the regions were joined.
                    const bool joined = row_crossing(high, x0, x1) < row_crossing(low, x0, x1);
                    if (joined) {
                        link(bottom(), right());
                        link(top(), left());
                    } else {
                        link(bottom(), left());
                        link(top(), right());
                    }
                    break;
                }
                case 6: link(top(), bottom()); break;
                case 7: link(top(), left()); break;
                case 8: link(left(), top()); break;
                case 9: link(bottom(), top()); break;
                case 10: {
                    const bool joined = row_crossing(low, x0, x1) < row_crossing(high, x0, x1);
                    if (joined) {
                        link(left(), bottom());
                        link(right(), top());
                    } else {
                        link(right(), bottom());
                        link(left(), top());
                    }
                    break;
                }
                case 11: link(right(), top()); break;
                case 12: link(left(), right()); break;
                case 13: link(bottom(), right()); break;
                case 14: link(left(), bottom()); break;
            }
        }
    }

    // Join the segments into closed loops.
    std::sort(segments.begin(), segments.end(), [](const Segment& a, const Segment& b) { return a.from < b.from; });
    std::vector<char> used(segments.size(), 0);
    std::vector<Contour> loops;
    for (std::size_t start = 0; start < segments.size(); ++start) {
        if (used[start]) continue;
        Contour loop;
        std::size_t n = start;
        while (!used[n]) {
            used[n] = 1;
            loop.push_back(segments[n].at);
            const auto next = std::lower_bound(segments.begin(), segments.end(), segments[n].to,
                                               [](const Segment& s, long long id) { return s.from < id; });
            if (next == segments.end() || next->from != segments[n].to) break;
            n = static_cast<std::size_t>(next - segments.begin());
        }
        if (loop.size() >= 3) loops.push_back(simplified(loop, 0.002));
    }
    return loops;
}

Contour simplified(const Contour& contour, double tolerance) {
    const std::size_t count = contour.size();
    if (count < 4) return contour;
    // Split the loop at its first point and the point farthest from it,
    // and keep, on each half, the points that stray most, until none
    // strays by more than the tolerance.
    std::size_t far = 0;
    double farthest = -1;
    for (std::size_t n = 1; n < count; ++n) {
        const double d = std::hypot(contour[n].x - contour[0].x, contour[n].y - contour[0].y);
        if (d > farthest) farthest = d, far = n;
    }
    std::vector<char> keep(count, 0);
    keep[0] = keep[far] = 1;
    std::vector<std::pair<std::size_t, std::size_t>> stack = {{0, far}, {far, count}};
    while (!stack.empty()) {
        const auto [a, b] = stack.back();
        stack.pop_back();
        const ContourPoint& pa = contour[a];
        const ContourPoint& pb = contour[b % count];
        double worst = tolerance;
        std::size_t at = 0;
        for (std::size_t n = a + 1; n < b; ++n) {
            const double d = off_line(contour[n], pa, pb);
            if (d > worst) worst = d, at = n;
        }
        if (at == 0) continue;
        keep[at] = 1;
        stack.push_back({a, at});
        stack.push_back({at, b});
    }
    Contour out;
    for (std::size_t n = 0; n < count; ++n) {
        if (keep[n]) out.push_back(contour[n]);
    }
    return out;
}

}  // namespace veskaro::simulate
