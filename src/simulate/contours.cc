#include "simulate/contours.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veskaro::simulate {

namespace {

using Interval = std::pair<float, float>;

void member_intervals(RunLine runs, const std::vector<char>& member, std::vector<Interval>& out) {
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

struct Segment {
    long long from;
    long long to;
    ContourPoint at;  // the point on the edge `from`
};


}  // namespace

std::vector<Contour> contours(const CutSheet& sheet, const Regions& regions, const std::vector<char>& member,
                              int step) {
    const SheetGrid& g = sheet.grid;
    // The lattice: every step-th row and column.  Its cell i spans the
    // columns i * step to (i + 1) * step.
    const int lattice_columns = (g.columns - 1) / step + 1;
    const long long stride = lattice_columns + 1;
    const auto across = [&](int i, int j) { return 2 * (j * stride + i); };    // on row j, cell i
    const auto along = [&](int i, int j) { return 2 * (j * stride + i) + 1; };  // on lattice column i, from row j
    const auto cell_of = [&](double x) {
        return std::clamp(static_cast<int>(std::floor(g.column_place(x) / step)), 0, lattice_columns - 2);
    };
    const auto lattice_x = [&](int i) { return g.column_x(i * step); };

    // Only the rows the shape's regions span.
    double low_y = 1e300, high_y = -1e300;
    for (std::size_t r = 0; r < regions.regions.size(); ++r) {
        if (!member[r]) continue;
        low_y = std::min(low_y, regions.regions[r].min_y);
        high_y = std::max(high_y, regions.regions[r].max_y);
    }
    if (low_y > high_y) return {};
    const int first_row = std::max(0, g.row_near(low_y) - 1) / step * step;
    const int last_row = std::min(g.rows - 1, g.row_near(high_y) + step);

    std::vector<Segment> segments;
    std::vector<Interval> low, high;
    std::vector<std::pair<float, int>> edges;
    std::vector<int> cells;
    member_intervals(regions.rows[first_row], member, high);
    for (int j = first_row; j + step <= last_row; j += step) {
        low.swap(high);
        member_intervals(regions.rows[j + step], member, high);
        if (low.empty() && high.empty()) continue;
        // The cells where the shape has an edge, in order: those that hold
        // an end of it on either row, and those between where one row is in
        // the shape and the other is not.
        edges.clear();
        std::size_t a = 0, b = 0;
        while (a < 2 * low.size() || b < 2 * high.size()) {
            const float at_low = a < 2 * low.size() ? (a % 2 ? low[a / 2].second : low[a / 2].first) : 1e30f;
            const float at_high = b < 2 * high.size() ? (b % 2 ? high[b / 2].second : high[b / 2].first) : 1e30f;
            if (at_low <= at_high) {
                edges.push_back({at_low, 1}), ++a;
            } else {
                edges.push_back({at_high, 2}), ++b;
            }
        }
        cells.clear();
        const auto add_cell = [&](int c) {
            if (cells.empty() || cells.back() < c) cells.push_back(c);
        };
        int state = 0;
        for (std::size_t n = 0; n < edges.size(); ++n) {
            const int c = cell_of(edges[n].first);
            add_cell(c);
            state ^= edges[n].second;
            if ((state == 1 || state == 2) && n + 1 < edges.size()) {
                const int next = cell_of(edges[n + 1].first);
                for (int k = c + 1; k < next; ++k) add_cell(k);
            }
        }

        const double y0 = g.row_y(j), y1 = g.row_y(j + step);
        // Pointers into the rows' intervals: the first that ends at or after
        // the cell's left side, which only moves right.
        std::size_t pl = 0, ph = 0;
        const auto inside_at = [](const std::vector<Interval>& in, std::size_t p, double x) {
            while (p < in.size() && in[p].second < x) ++p;
            return p < in.size() && in[p].first <= x;
        };
        // Where the row's shape begins or ends between x0 and x1, from p.
        const auto crossing_at = [](const std::vector<Interval>& in, std::size_t p, double x0, double x1) {
            if (p < in.size()) {
                if (in[p].first >= x0 && in[p].first <= x1) return static_cast<double>(in[p].first);
                if (in[p].second <= x1) return static_cast<double>(in[p].second);
            }
            return (x0 + x1) / 2;
        };
        for (int i : cells) {
            const double x0 = lattice_x(i), x1 = lattice_x(i + 1);
            while (pl < low.size() && low[pl].second < x0) ++pl;
            while (ph < high.size() && high[ph].second < x0) ++ph;
            const bool c0 = pl < low.size() && low[pl].first <= x0;
            const bool c3 = ph < high.size() && high[ph].first <= x0;
            const bool c1 = inside_at(low, pl, x1);
            const bool c2 = inside_at(high, ph, x1);
            const int corners = c0 | c1 << 1 | c2 << 2 | c3 << 3;
            if (corners == 0 || corners == 15) continue;
            const long long bottom = across(i, j), top = across(i, j + step), left = along(i, j),
                            right = along(i + 1, j);
            const auto at = [&](long long edge) -> ContourPoint {
                if (edge == bottom) return {crossing_at(low, pl, x0, x1), y0};
                if (edge == top) return {crossing_at(high, ph, x0, x1), y1};
                // On a column the shape's edge is where the kind of floor
                // changes: the shape is whole regions, and what joins two
                // regions of one kind lies in the rows.
                const bool on_left = edge == left;
                const float end = kind_ends(sheet.columns[(on_left ? i : i + 1) * step], regions.range,
                                            static_cast<float>(y0),
                                            false, static_cast<float>(y0), static_cast<float>(y1));
                return {on_left ? x0 : x1, end < y1 ? static_cast<double>(end) : (y0 + y1) / 2};
            };
            const auto link = [&](long long from, long long to) { segments.push_back({from, to, at(from)}); };
            switch (corners) {
                case 1: link(bottom, left); break;
                case 2: link(right, bottom); break;
                case 3: link(right, left); break;
                case 4: link(top, right); break;
                case 5:
                    // The two inside corners are joined when the rows' runs
                    // overlap, as the regions were joined.
                    if (crossing_at(high, ph, x0, x1) < crossing_at(low, pl, x0, x1)) {
                        link(bottom, right);
                        link(top, left);
                    } else {
                        link(bottom, left);
                        link(top, right);
                    }
                    break;
                case 6: link(top, bottom); break;
                case 7: link(top, left); break;
                case 8: link(left, top); break;
                case 9: link(bottom, top); break;
                case 10:
                    if (crossing_at(low, pl, x0, x1) < crossing_at(high, ph, x0, x1)) {
                        link(left, bottom);
                        link(right, top);
                    } else {
                        link(right, bottom);
                        link(left, top);
                    }
                    break;
                case 11: link(right, top); break;
                case 12: link(left, right); break;
                case 13: link(bottom, right); break;
                case 14: link(left, bottom); break;
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
            // The next segment lies near this one: the contour moves to a
            // neighbouring cell.  Gallop from here, then search the step.
            const long long to = segments[n].to;
            std::size_t low = n, high = n, step = 1;
            if (segments[n].from < to) {
                while (high < segments.size() && segments[high].from < to) low = high, high = n + step, step *= 2;
                high = std::min(high, segments.size());
            } else {
                while (low > 0 && segments[low].from > to) high = low, low = n > step ? n - step : 0, step *= 2;
                high = std::min(high + 1, segments.size());
            }
            const auto next = std::lower_bound(segments.begin() + static_cast<long>(low),
                                               segments.begin() + static_cast<long>(high), to,
                                               [](const Segment& s, long long id) { return s.from < id; });
            if (next == segments.end() || next->from != to) break;
            n = static_cast<std::size_t>(next - segments.begin());
        }
        if (loop.size() >= 3) loops.push_back(simplified(loop, 0.005));
    }
    return loops;
}

Contour simplified(const Contour& points, double tolerance) {
    // First the points in the middle of three on one row or one column:
    // the long straight edges, at no cost.
    Contour contour;
    contour.reserve(points.size());
    for (std::size_t n = 0; n < points.size(); ++n) {
        const ContourPoint& before = points[(n + points.size() - 1) % points.size()];
        const ContourPoint& after = points[(n + 1) % points.size()];
        const bool straight = (before.x == points[n].x && after.x == points[n].x) ||
                              (before.y == points[n].y && after.y == points[n].y);
        if (!straight || points.size() < 4) contour.push_back(points[n]);
    }
    const std::size_t count = contour.size();
    if (count < 4) return contour;
    // Split the loop at its first point and the point farthest from it,
    // and keep, on each half, the points that stray most, until none
    // strays by more than the tolerance.
    std::size_t far = 0;
    double farthest = -1;
    for (std::size_t n = 1; n < count; ++n) {
        const double dx = contour[n].x - contour[0].x, dy = contour[n].y - contour[0].y;
        const double d = dx * dx + dy * dy;
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
        // Distances from the chord, squared and times its length squared:
        // no root taken inside the loop.
        const double dx = pb.x - pa.x, dy = pb.y - pa.y;
        const double length2 = dx * dx + dy * dy;
        double worst = tolerance * tolerance * (length2 > 0 ? length2 : 1);
        std::size_t at = 0;
        for (std::size_t n = a + 1; n < b; ++n) {
            const double px = contour[n].x - pa.x, py = contour[n].y - pa.y;
            const double cross = px * dy - py * dx;
            const double d = length2 > 0 ? cross * cross : px * px + py * py;
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
