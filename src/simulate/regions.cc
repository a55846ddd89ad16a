#include "simulate/regions.h"

#include <algorithm>
#include <cmath>

namespace veskaro::simulate {

namespace {

// One run of a line before the regions are known.
struct Piece {
    float from;
    float to;
    bool inside;
    float min_z;
    float max_z;
};

void line_pieces(const DepthLine& line, float left, float right, const FloorRange& range,
                 std::vector<Piece>& pieces) {
    pieces.clear();
    const auto add = [&](float from, float to, float z) {
        from = std::max(from, left);
        to = std::min(to, right);
        if (!(from < to)) return;
        const bool inside = range.holds(z);
        if (!pieces.empty() && pieces.back().inside == inside) {
            Piece& last = pieces.back();
            last.to = to;
            last.min_z = std::min(last.min_z, z);
            last.max_z = std::max(last.max_z, z);
            return;
        }
        pieces.push_back({from, to, inside, z, z});
    };
    float cursor = left;
    for (const DepthSpan& span : line) {
        add(cursor, span.from, 0);
        add(span.from, span.to, span.z);
        cursor = span.to;
    }
    add(cursor, right, 0);
}

// The sets of pieces joined so far.  A set's root is its first piece, the
// lowest and leftmost: joining keeps the smaller number.
int find(std::vector<int>& set, int n) {
    while (set[n] != n) {
        set[n] = set[set[n]];
        n = set[n];
    }
    return n;
}

void join(std::vector<int>& set, int a, int b) {
    a = find(set, a);
    b = find(set, b);
    if (a < b) {
        set[b] = a;
    } else if (b < a) {
        set[a] = b;
    }
}

}  // namespace

FloorRange left_of_sheet(double thickness) { return {-thickness + 1e-4, std::numeric_limits<double>::infinity()}; }
FloorRange cut_through(double thickness) { return {-std::numeric_limits<double>::infinity(), -thickness + 1e-4}; }
FloorRange cut_at_all() { return {-std::numeric_limits<double>::infinity(), -1e-6}; }
FloorRange cut_not_through(double thickness) { return {-thickness + 1e-4, -1e-6}; }
FloorRange standing_above(double depth) { return {-depth + 1e-4, std::numeric_limits<double>::infinity()}; }

float kind_ends(const DepthLine& line, const FloorRange& range, float at, bool down, float low, float high) {
    // The stretches along the line alternate: uncut, a span, perhaps uncut
    // again, the next span...  Start at the one that holds `at`.
    const auto span = std::lower_bound(line.begin(), line.end(), at,
                                       [](const DepthSpan& s, float x) { return s.to < x; });
    std::ptrdiff_t n = span - line.begin();
    const bool in_span = span != line.end() && span->from <= at;
    const bool kind = range.holds(in_span ? span->z : 0.0f);
    const auto size = static_cast<std::ptrdiff_t>(line.size());
    if (down) {
        // From `at` down: the span holding it, or the gap below span n.
        if (!in_span) {
            if (n == 0 || range.holds(0) != kind) return n == 0 ? low : line[n - 1].to;
            --n;
        }
        for (; n >= 0; --n) {
            if (range.holds(line[n].z) != kind) return line[n].to;
            const float gap_below = n == 0 ? low : line[n - 1].to;
            if (gap_below < line[n].from && range.holds(0) != kind) return line[n].from;
        }
        return low;
    }
    if (!in_span) {
        if (n == size || range.holds(0) != kind) return n == size ? high : line[n].from;
    }
    for (; n < size; ++n) {
        if (range.holds(line[n].z) != kind) return line[n].from;
        const float gap_above = n + 1 == size ? high : line[n + 1].from;
        if (gap_above > line[n].to && range.holds(0) != kind) return line[n].to;
    }
    return high;
}

const Run* run_at(RunLine line, float at) {
    const auto run = std::lower_bound(line.begin(), line.end(), at, [](const Run& r, float x) { return r.to < x; });
    if (run == line.end() || run->from > at) return nullptr;
    return &*run;
}

int Regions::region_at(const SheetGrid& grid, double x, double y) const {
    if (rows.empty()) return -1;
    const Run* run = run_at(rows[static_cast<std::size_t>(grid.row_near(y))], static_cast<float>(x));
    return run == nullptr ? -1 : run->region;
}

bool Regions::within(int region, int ancestor) const {
    for (int n = region; n >= 0; n = regions[n].parent) {
        if (n == ancestor) return true;
    }
    return false;
}

Regions split_sheet(const CutSheet& sheet, const FloorRange& range) {
    const SheetGrid& g = sheet.grid;
    Regions result;
    result.range = range;
    result.rows.reserve(2 * sheet.spans + 2 * g.rows);
    const float left = static_cast<float>(g.origin_x), right = static_cast<float>(g.origin_x + g.columns * g.cell);
    const float bottom = static_cast<float>(g.origin_y), top = static_cast<float>(g.origin_y + g.rows * g.cell);

    // Every piece of every row, numbered in order, with what the regions
    // need of it: its set, the piece under its middle in the row below (the
    // region around it, for the lowest piece of a region), and its floors.
    std::vector<int> set, below;
    std::vector<float> below_z, min_z, max_z;
    std::vector<char> inside;
    std::vector<Piece> pieces, previous;
    int previous_first = 0;
    for (int row = 0; row < g.rows; ++row) {
        line_pieces(sheet.rows[row], left, right, range, pieces);
        const int first = static_cast<int>(set.size());
        std::size_t under = 0;
        for (std::size_t n = 0; n < pieces.size(); ++n) {
            const Piece& p = pieces[n];
            const int id = first + static_cast<int>(n);
            set.push_back(id);
            below.push_back(-1);
            below_z.push_back(0);
            min_z.push_back(p.min_z);
            max_z.push_back(p.max_z);
            inside.push_back(p.inside);
            result.rows.add({p.from, p.to, id});
            // Join the pieces of the row below that overlap this one.
            while (under < previous.size() && previous[under].to <= p.from) ++under;
            const float middle = (p.from + p.to) / 2;
            for (std::size_t k = under; k < previous.size() && previous[k].from < p.to; ++k) {
                const int other = previous_first + static_cast<int>(k);
                if (previous[k].inside == p.inside) {
                    join(set, id, other);
                } else if (previous[k].from <= middle && previous[k].to >= middle) {
                    below[id] = other;
                    below_z[id] = previous[k].min_z;
                }
            }
        }
        result.rows.end_line();
        previous.swap(pieces);
        previous_first = first;
    }

    // Number the sets, first piece first, and measure them on the rows.
    std::vector<int> region_of(set.size(), -1);
    for (std::size_t n = 0; n < set.size(); ++n) {
        const int root = find(set, static_cast<int>(n));
        if (region_of[root] >= 0) continue;
        region_of[root] = static_cast<int>(result.regions.size());
        Region region;
        region.inside = inside[root];
        region.min_x = region.min_y = 1e300;
        region.max_x = region.max_y = -1e300;
        region.min_z = min_z[root];
        region.max_z = max_z[root];
        region.below_z = below_z[root];
        result.regions.push_back(region);
    }
    for (int row = 0; row < g.rows; ++row) {
        const std::size_t count = result.rows[row].size();
        for (std::size_t n = 0; n < count; ++n) {
            Run& run = result.rows.run(row, n);
            const int root = find(set, run.region);
            Region& region = result.regions[region_of[root]];
            if (run.region == root) {
                region.low_row = row;
                region.low_x = (run.from + run.to) / 2;
                if (below[root] >= 0) region.parent = region_of[find(set, below[root])];
            }
            region.border = region.border || row == 0 || row == g.rows - 1 || n == 0 || n + 1 == count;
            region.min_x = std::min<double>(region.min_x, run.from);
            region.max_x = std::max<double>(region.max_x, run.to);
            region.min_y = std::min(region.min_y, g.row_y(row));
            region.max_y = std::max(region.max_y, g.row_y(row));
            region.area += (run.to - run.from) * g.cell;
            region.min_z = std::min(region.min_z, min_z[run.region]);
            region.max_z = std::max(region.max_z, max_z[run.region]);
            run.region = region_of[root];
        }
    }

    // Exact Y edges: a region's lowest row holds the top of every column
    // stretch that reaches below it (a stretch between two rows that meets
    // none is narrower than a cell); where that stretch begins is the
    // region's lower edge there.  Likewise its highest row for its upper
    // edge.
    std::vector<int> lowest(result.regions.size(), g.rows), highest(result.regions.size(), -1);
    for (int row = 0; row < g.rows; ++row) {
        for (const Run& run : result.rows[row]) {
            lowest[run.region] = std::min(lowest[run.region], row);
            highest[run.region] = std::max(highest[run.region], row);
        }
    }
    for (int row = 0; row < g.rows; ++row) {
        for (const Run& run : result.rows[row]) {
            Region& region = result.regions[run.region];
            const bool low = lowest[run.region] == row, high = highest[run.region] == row;
            if (region.border || !(low || high)) continue;
            const int first = g.first_column(run.from);
            const int last = g.last_column(run.to);
            const float y = static_cast<float>(g.row_y(row));
            for (int column = first; column <= last; ++column) {
                const DepthLine& line = sheet.columns[column];
                // Where the column and the row disagree in the last digit
                // at the run's end, the column says nothing.
                if (range.holds(floor_at(line, y)) != region.inside) continue;
                if (low) region.min_y = std::min<double>(region.min_y, kind_ends(line, range, y, true, bottom, top));
                if (high) region.max_y = std::max<double>(region.max_y, kind_ends(line, range, y, false, bottom, top));
            }
        }
    }
    return result;
}

}  // namespace veskaro::simulate
