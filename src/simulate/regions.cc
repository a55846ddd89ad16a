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

// A region while the rows are joined: its figures so far, kept at the root
// of its set.
struct Growing {
    int set;
    bool inside;
    bool border;
    double min_x, max_x;
    int min_row, max_row;
    double row_area;
    float min_z, max_z;
    int low_row;
    float low_x;
    int below;  // the piece under its lowest run, -1 on the first row
    float below_z;
};

class Sets {
public:
    std::vector<Growing> items;

    int find(int n) {
        while (items[n].set != n) {
            items[n].set = items[items[n].set].set;
            n = items[n].set;
        }
        return n;
    }

    void join(int a, int b) {
        a = find(a);
        b = find(b);
        if (a == b) return;
        Growing& keep = items[a].low_row <= items[b].low_row ? items[a] : items[b];
        Growing& gone = &keep == &items[a] ? items[b] : items[a];
        gone.set = keep.set;
        keep.border = keep.border || gone.border;
        keep.min_x = std::min(keep.min_x, gone.min_x);
        keep.max_x = std::max(keep.max_x, gone.max_x);
        keep.min_row = std::min(keep.min_row, gone.min_row);
        keep.max_row = std::max(keep.max_row, gone.max_row);
        keep.row_area += gone.row_area;
        keep.min_z = std::min(keep.min_z, gone.min_z);
        keep.max_z = std::max(keep.max_z, gone.max_z);
    }
};

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

    Sets sets;
    std::vector<Piece> pieces, previous;
    int previous_first = 0;  // the set of the previous row's first piece
    for (int row = 0; row < g.rows; ++row) {
        line_pieces(sheet.rows[row], left, right, range, pieces);
        const int first = static_cast<int>(sets.items.size());
        RunLine& runs = result.rows[row];
        runs.reserve(pieces.size());
        std::size_t below = 0;
        for (std::size_t n = 0; n < pieces.size(); ++n) {
            const Piece& p = pieces[n];
            const int id = first + static_cast<int>(n);
            const bool border = row == 0 || row == g.rows - 1 || n == 0 || n + 1 == pieces.size();
            sets.items.push_back({id, p.inside, border, p.from, p.to, row, row, (p.to - p.from) * g.cell, p.min_z,
                                  p.max_z, row, (p.from + p.to) / 2, -1, 0});
            runs.push_back({p.from, p.to, id});
            // Join the runs of the row below that overlap this one; note the
            // one under its middle.
            while (below < previous.size() && previous[below].to <= p.from) ++below;
            const float middle = (p.from + p.to) / 2;
            for (std::size_t k = below; k < previous.size() && previous[k].from < p.to; ++k) {
                const int other = previous_first + static_cast<int>(k);
                if (previous[k].inside == p.inside) {
                    sets.join(id, other);
                } else if (previous[k].from <= middle && previous[k].to >= middle) {
                    sets.items[id].below = other;
                    sets.items[id].below_z = previous[k].min_z;
                }
            }
        }
        previous.swap(pieces);
        previous_first = first;
    }

    // Number the sets.
    std::vector<int> number(sets.items.size(), -1);
    for (std::size_t n = 0; n < sets.items.size(); ++n) {
        const int root = sets.find(static_cast<int>(n));
        if (number[root] < 0) {
            number[root] = static_cast<int>(result.regions.size());
            const Growing& s = sets.items[root];
            Region region;
            region.inside = s.inside;
            region.border = s.border;
            region.min_x = s.min_x;
            region.max_x = s.max_x;
            region.min_y = g.row_y(s.min_row);
            region.max_y = g.row_y(s.max_row);
            region.row_area = s.row_area;
            region.min_z = s.min_z;
            region.max_z = s.max_z;
            region.low_row = s.low_row;
            region.low_x = s.low_x;
            region.below_z = s.below_z;
            result.regions.push_back(region);
        }
    }
    for (std::size_t n = 0; n < sets.items.size(); ++n) {
        const int root = sets.find(static_cast<int>(n));
        if (static_cast<int>(n) == root && sets.items[root].below >= 0) {
            result.regions[number[root]].parent = number[sets.find(sets.items[root].below)];
        }
    }
    for (RunLine& runs : result.rows) {
        for (Run& run : runs) run.region = number[sets.find(run.region)];
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
