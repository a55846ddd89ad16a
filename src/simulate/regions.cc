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

const Run* run_at(const RunLine& line, float at) {
    const auto run = std::lower_bound(line.begin(), line.end(), at, [](const Run& r, float x) { return r.to < x; });
    if (run == line.end() || run->from > at) return nullptr;
    return &*run;
}

int Regions::region_at(const SheetGrid& grid, double x, double y) const {
    if (rows.empty()) return -1;
    const Run* run = run_at(rows[grid.row_near(y)], static_cast<float>(x));
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
    result.rows.resize(g.rows);
    result.columns.resize(g.columns);
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
        RunLine& runs = result.rows[row];
        runs.reserve(pieces.size());
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
            runs.push_back({p.from, p.to, id});
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
        RunLine& runs = result.rows[row];
        for (std::size_t n = 0; n < runs.size(); ++n) {
            Run& run = runs[n];
            const int root = find(set, run.region);
            Region& region = result.regions[region_of[root]];
            if (run.region == root) {
                region.low_row = row;
                region.low_x = (run.from + run.to) / 2;
                if (below[root] >= 0) region.parent = region_of[find(set, below[root])];
            }
            region.border = region.border || row == 0 || row == g.rows - 1 || n == 0 || n + 1 == runs.size();
            region.min_x = std::min<double>(region.min_x, run.from);
            region.max_x = std::max<double>(region.max_x, run.to);
            region.min_y = std::min(region.min_y, g.row_y(row));
            region.max_y = std::max(region.max_y, g.row_y(row));
            region.row_area += (run.to - run.from) * g.cell;
            region.min_z = std::min(region.min_z, min_z[run.region]);
            region.max_z = std::max(region.max_z, max_z[run.region]);
            run.region = region_of[root];
        }
    }

    // Columns: exact Y edges of the regions they cross on a row.
    for (int column = 0; column < g.columns; ++column) {
        line_pieces(sheet.columns[column], bottom, top, range, pieces);
        RunLine& runs = result.columns[column];
        runs.reserve(pieces.size());
        const float x = static_cast<float>(g.column_x(column));
        for (const Piece& p : pieces) {
            // The region of the row that crosses the run nearest its middle,
            // farthest from the edges, where the row and the column could
            // disagree in the last digit.
            int region = -1;
            const int first = std::max(0, static_cast<int>(std::ceil((p.from - g.origin_y) / g.cell - kLineOffset)));
            const int last = std::min(g.rows - 1, static_cast<int>(std::floor((p.to - g.origin_y) / g.cell - kLineOffset)));
            if (first <= last) {
                const int row = std::clamp(g.row_near((p.from + p.to) / 2), first, last);
                const Run* run = run_at(result.rows[row], x);
                if (run != nullptr && result.regions[run->region].inside == p.inside) region = run->region;
            }
            runs.push_back({p.from, p.to, region});
            if (region < 0) continue;
            Region& r = result.regions[region];
            r.min_y = std::min<double>(r.min_y, p.from);
            r.max_y = std::max<double>(r.max_y, p.to);
            r.column_area += (p.to - p.from) * g.cell;
        }
    }
    return result;
}

}  // namespace veskaro::simulate
