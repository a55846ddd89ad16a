#include "simulate/cut_sheet.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "base/decimal_text.h"
#include "toolpath/arc.h"
#include "toolpath/extents.h"
#include "simulate/swept_chords.h"

namespace veskaro::simulate {

using namespace toolpath;

namespace {

// A partial arc is swept as chords that stray at most this far from it.
constexpr double kArcSag = 0.0005;
// A move that changes depth on its way (a ramp or a helix) is swept in
// steps of at most this much depth, each at its deeper end.
constexpr double kDepthStep = 0.01;
// Uncut cells kept around the cut, so that the stock around reads as one.
constexpr int kMarginCells = 2;

// What the bit sweeps at one depth: a segment of the tool centre's path (a
// point when both ends are one), or a whole circle of it.
struct Sweep {
    bool ring = false;
    double ax = 0, ay = 0;  // segment start, or the ring's centre
    double bx = 0, by = 0;  // segment end
    double path_radius = 0;  // the ring's
    float z = 0;
};

std::string printed(double value) { return fixed_decimals_zero_unsigned(value, 2); }

// A cell's size as it was given: 0.005, 0.05, 1.
std::string cell_text(double cell) { return trimmed_decimals(cell, 3); }

void check_reach(const Move& move) {
    Extents reach;
    reach.add(move.from.x, move.from.y);
    reach.add(move.to.x, move.to.y);
    if (is_arc(move)) add_arc(reach, move);
    const double farthest = std::max({-reach.min_x, reach.max_x, -reach.min_y, reach.max_y});
    if (farthest > kLargestReach) {
        throw SimulationError(move.line, "the move reaches " + printed(farthest) +
                                             " mm from the origin: no sheet is wider than 10 m, the cut is not "
                                             "simulated");
    }
}

// Calls `emit` with every sweep of the moves below Z 0.
template <typename Emit>
void for_each_sweep(const Program& program, Emit&& emit) {
    for (const Move& move : program.moves) {
        const double z0 = move.from.z, z1 = move.to.z;
        if (!(std::min(z0, z1) < 0)) continue;
        const auto segment = [&](double ax, double ay, double bx, double by, double za, double zb) {
            const double z = std::min(za, zb);
            if (z < 0) emit(Sweep{false, ax, ay, bx, by, 0, static_cast<float>(z)});
        };
        if (!is_arc(move)) {
            const bool still = move.from.x == move.to.x && move.from.y == move.to.y;
            const long steps = still || z0 == z1 ? 1 : static_cast<long>(std::ceil(std::fabs(z1 - z0) / kDepthStep));
            for (long k = 0; k < steps; ++k) {
                const double t0 = static_cast<double>(k) / steps, t1 = static_cast<double>(k + 1) / steps;
                const auto at = [&](double t, double a, double b) { return t == 1 ? b : a + (b - a) * t; };
                segment(at(t0, move.from.x, move.to.x), at(t0, move.from.y, move.to.y),
                        at(t1, move.from.x, move.to.x), at(t1, move.from.y, move.to.y), at(t0, z0, z1),
                        at(t1, z0, z1));
            }
            continue;
        }
        const double radius = arc_radius(move);
        const double sweep = arc_sweep(move);
        if (radius == 0) {
            segment(move.to.x, move.to.y, move.to.x, move.to.y, z0, z1);
            continue;
        }
        if (sweep == 2 * std::numbers::pi && z0 == z1) {
            emit(Sweep{true, move.centre_x, move.centre_y, 0, 0, radius, static_cast<float>(z0)});
            continue;
        }
        const double step = radius > kArcSag ? 2 * std::acos(1 - kArcSag / radius) : std::numbers::pi / 2;
        const long steps = std::max({1L, static_cast<long>(std::ceil(sweep / step)),
                                     static_cast<long>(std::ceil(std::fabs(z1 - z0) / kDepthStep))});
        const double start = std::atan2(move.from.y - move.centre_y, move.from.x - move.centre_x);
        const double turn = move.kind == MoveKind::arc_clockwise ? -sweep : sweep;
        const double end_radius = arc_end_radius(move);
        double px = move.from.x, py = move.from.y, pz = z0;
        for (long k = 1; k <= steps; ++k) {
            const double t = static_cast<double>(k) / steps;
            double x = move.to.x, y = move.to.y, z = z1;
            if (k < steps) {
                const double r = radius + (end_radius - radius) * t;
                x = move.centre_x + r * std::cos(start + turn * t);
                y = move.centre_y + r * std::sin(start + turn * t);
                z = z0 + (z1 - z0) * t;
            }
            segment(px, py, x, y, pz, z);
            px = x, py = y, pz = z;
        }
    }
}

// A sweep's path, the same whichever way it runs.
struct SweepKey {
    bool ring;
    double ax, ay, bx, by, path_radius;

    bool operator==(const SweepKey&) const = default;
};

struct SweepKeyHash {
    std::size_t operator()(const SweepKey& k) const {
        std::size_t h = k.ring;
        for (double v : {k.ax, k.ay, k.bx, k.by, k.path_radius}) {
            h = h * 1000003 ^ std::hash<double>{}(v);
        }
        return h;
    }
};

SweepKey key_of(const Sweep& s) {
    const bool forward = s.ring || s.ax < s.bx || (s.ax == s.bx && s.ay <= s.by);
    return forward ? SweepKey{s.ring, s.ax, s.ay, s.bx, s.by, s.path_radius}
                   : SweepKey{s.ring, s.bx, s.by, s.ax, s.ay, s.path_radius};
}

// Sweeps gathered before they are cut, at most.
constexpr std::size_t kSweepBatch = 1 << 16;

class Cutter {
public:
    explicit Cutter(CutSheet& sheet) : sheet_(sheet), radius_(sheet.settings.bit_diameter / 2) {}

    void operator()(const Sweep& s) {
        const SheetGrid& g = sheet_.grid;
        const double reach = s.ring ? s.path_radius + radius_ : radius_;
        int first, last;
        // Rows: lines along X at fixed Y; columns: along Y at fixed X.
        first = g.first_row(std::min(s.ay, s.ring ? s.ay : s.by) - reach);
        last = g.last_row(std::max(s.ay, s.ring ? s.ay : s.by) + reach);
        cut_lines(sheet_.rows, first, last, {s.ax, s.ay}, {s.bx, s.by}, s, [&](int row) { return g.row_y(row); });
        first = g.first_column(std::min(s.ax, s.ring ? s.ax : s.bx) - reach);
        last = g.last_column(std::max(s.ax, s.ring ? s.ax : s.bx) + reach);
        cut_lines(sheet_.columns, first, last, {s.ay, s.ax}, {s.by, s.bx}, s,
                  [&](int column) { return g.column_x(column); });
    }

private:
    template <typename Position>
    void cut_lines(std::vector<DepthLine>& lines, int first, int last, PlanePoint a, PlanePoint b, const Sweep& s,
                   Position&& position) {
        if (s.ring) {
            Chord chords[2];
            for (int n = first; n <= last; ++n) {
                const int count = ring_chords(a, s.path_radius, radius_, position(n), chords);
                for (int c = 0; c < count; ++c) add(lines[n], chords[c], s.z);
            }
            return;
        }
        const SegmentChords segment(a, b, radius_);
        for (int n = first; n <= last; ++n) {
            if (const std::optional<Chord> chord = segment.at(position(n))) add(lines[n], *chord, s.z);
        }
    }

    void add(DepthLine& line, const Chord& chord, float z) {
        sheet_.spans += cut_line(line, static_cast<float>(chord.from), static_cast<float>(chord.to), z, scratch_);
        if (sheet_.spans > kMostSpans) {
            throw SimulationError(0, "at a cell of " + cell_text(sheet_.grid.cell) +
                                         " mm the cut has too many edges to simulate within 256 MiB; give a "
                                         "larger --cell");
        }
    }

    CutSheet& sheet_;
    double radius_;
    DepthLine scratch_;
};

}  // namespace

std::vector<ProbeSpan> probe_line(const Program& program, const CutSettings& settings, bool row, double at) {
    const double radius = settings.bit_diameter / 2;
    std::vector<ProbeSpan> chords;
    const auto add = [&](const Chord& chord, float z) { chords.push_back({chord.from, chord.to, z}); };
    for_each_sweep(program, [&](const Sweep& s) {
        const PlanePoint a = row ? PlanePoint{s.ax, s.ay} : PlanePoint{s.ay, s.ax};
        const PlanePoint b = row ? PlanePoint{s.bx, s.by} : PlanePoint{s.by, s.bx};
        if (s.ring) {
            Chord ring[2];
            const int count = ring_chords(a, s.path_radius, radius, at, ring);
            for (int n = 0; n < count; ++n) add(ring[n], s.z);
        } else if (const std::optional<Chord> chord = segment_chord(a, b, radius, at)) {
            add(*chord, s.z);
        }
    });
    // The lowest floor between every two ends of the chords.
    std::vector<double> ends;
    for (const ProbeSpan& c : chords) ends.push_back(c.from), ends.push_back(c.to);
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    std::vector<ProbeSpan> floors;
    for (std::size_t n = 0; n + 1 < ends.size(); ++n) {
        const double middle = (ends[n] + ends[n + 1]) / 2;
        double z = 0;
        for (const ProbeSpan& c : chords) {
            if (c.from <= middle && c.to >= middle) z = std::min(z, c.z);
        }
        if (z == 0) continue;
        if (!floors.empty() && floors.back().z == z && floors.back().to == ends[n]) {
            floors.back().to = ends[n + 1];
        } else {
            floors.push_back({ends[n], ends[n + 1], z});
        }
    }
    return floors;
}

int SheetGrid::row_near(double y) const {
    return std::clamp(static_cast<int>(std::floor(row_place(y) + 0.5)), 0, std::max(rows - 1, 0));
}

int SheetGrid::column_near(double x) const {
    return std::clamp(static_cast<int>(std::floor(column_place(x) + 0.5)), 0, std::max(columns - 1, 0));
}

int SheetGrid::first_row(double low) const { return std::max(0, static_cast<int>(std::ceil(row_place(low)))); }
int SheetGrid::last_row(double high) const { return std::min(rows - 1, static_cast<int>(std::floor(row_place(high)))); }
int SheetGrid::first_column(double low) const {
    return std::max(0, static_cast<int>(std::ceil(column_place(low))));
}
int SheetGrid::last_column(double high) const {
    return std::min(columns - 1, static_cast<int>(std::floor(column_place(high))));
}

CutSheet cut_sheet(const Program& program, const CutSettings& settings) {
    CutSheet sheet;
    sheet.settings = settings;
    for (const Move& move : program.moves) check_reach(move);

    const double radius = settings.bit_diameter / 2;
    Extents cut;
    for_each_sweep(program, [&](const Sweep& s) {
        const double reach = s.ring ? s.path_radius + radius : radius;
        cut.add(std::min(s.ax, s.ring ? s.ax : s.bx) - reach, std::min(s.ay, s.ring ? s.ay : s.by) - reach);
        cut.add(std::max(s.ax, s.ring ? s.ax : s.bx) + reach, std::max(s.ay, s.ring ? s.ay : s.by) + reach);
    });
    if (cut.empty) return sheet;

    SheetGrid& g = sheet.grid;
    g.cell = settings.cell;
    g.per_mm = 1 / g.cell;
    g.origin_x = (std::floor(cut.min_x / g.cell) - kMarginCells) * g.cell;
    g.origin_y = (std::floor(cut.min_y / g.cell) - kMarginCells) * g.cell;
    const double columns = std::ceil((cut.max_x - g.origin_x) / g.cell) + kMarginCells;
    const double rows = std::ceil((cut.max_y - g.origin_y) / g.cell) + kMarginCells;
    if (columns + rows > kMostLines) {
        throw SimulationError(0, "at a cell of " + cell_text(g.cell) + " mm the cut area of " +
                                     printed(cut.width()) + " x " + printed(cut.height()) +
                                     " mm needs more lines than fit in 256 MiB; give a larger --cell");
    }
    g.columns = static_cast<int>(columns);
    g.rows = static_cast<int>(rows);
    sheet.rows.resize(g.rows);
    sheet.columns.resize(g.columns);
    // The passes of a cut sweep the same path at one depth after another:
    // only the deepest of each path is cut, a batch of paths at a time.
    Cutter cutter(sheet);
    std::vector<Sweep> batch;
    std::unordered_map<SweepKey, std::size_t, SweepKeyHash> seen;
    const auto cut_batch = [&] {
        for (const Sweep& s : batch) cutter(s);
        batch.clear();
        seen.clear();
    };
    for_each_sweep(program, [&](const Sweep& s) {
        const auto [at, added] = seen.try_emplace(key_of(s), batch.size());
        if (added) {
            batch.push_back(s);
            if (batch.size() >= kSweepBatch) cut_batch();
        } else {
            batch[at->second].z = std::min(batch[at->second].z, s.z);
        }
    });
    cut_batch();
    return sheet;
}

}  // namespace veskaro::simulate
