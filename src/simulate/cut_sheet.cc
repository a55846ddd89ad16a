#include "simulate/cut_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

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

std::string printed(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// A cell's size as it was given: 0.005, 0.05, 1.
std::string cell_text(double cell) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", cell);
    return text;
}

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

// The first and last line whose position lies in [low, high].
bool lines_within(double low, double high, double origin, double cell, int count, int& first, int& last) {
    first = std::max(0, static_cast<int>(std::ceil((low - origin) / cell - kLineOffset)));
    last = std::min(count - 1, static_cast<int>(std::floor((high - origin) / cell - kLineOffset)));
    return first <= last;
}

// Cuts the chords of a sweep into one line: a row at v = `at` in (x, y), a
// column at v = `at` in (y, x).
void cut_chords(DepthLine& line, PlanePoint a, PlanePoint b, const Sweep& s, double radius, double at,
                DepthLine& scratch, long& spans) {
    const auto add = [&](const Chord& chord) {
        spans += cut_line(line, static_cast<float>(chord.from), static_cast<float>(chord.to), s.z, scratch);
    };
    if (s.ring) {
        Chord chords[2];
        const int count = ring_chords(a, s.path_radius, radius, at, chords);
        for (int n = 0; n < count; ++n) add(chords[n]);
    } else if (const std::optional<Chord> chord = segment_chord(a, b, radius, at)) {
        add(*chord);
    }
}

class Cutter {
public:
    explicit Cutter(CutSheet& sheet) : sheet_(sheet), radius_(sheet.settings.bit_diameter / 2) {}

    void operator()(const Sweep& s) {
        const SheetGrid& g = sheet_.grid;
        const double reach = s.ring ? s.path_radius + radius_ : radius_;
        int first, last;
        // Rows: lines along X at fixed Y.
        if (lines_within(std::min(s.ay, s.by) - reach, std::max(s.ay, s.by) + reach, g.origin_y, g.cell, g.rows,
                         first, last)) {
            for (int row = first; row <= last; ++row) {
                cut(sheet_.rows[row], {s.ax, s.ay}, {s.bx, s.by}, s, g.row_y(row));
            }
        }
        const double low_x = s.ring ? s.ax : std::min(s.ax, s.bx);
        const double high_x = s.ring ? s.ax : std::max(s.ax, s.bx);
        if (lines_within(low_x - reach, high_x + reach, g.origin_x, g.cell, g.columns, first, last)) {
            for (int column = first; column <= last; ++column) {
                cut(sheet_.columns[column], {s.ay, s.ax}, {s.by, s.bx}, s, g.column_x(column));
            }
        }
    }

private:
    void cut(DepthLine& line, PlanePoint a, PlanePoint b, const Sweep& s, double at) {
        cut_chords(line, a, b, s, radius_, at, scratch_, sheet_.spans);
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
    return std::clamp(static_cast<int>(std::lround((y - origin_y) / cell - kLineOffset)), 0, std::max(rows - 1, 0));
}

int SheetGrid::column_near(double x) const {
    return std::clamp(static_cast<int>(std::lround((x - origin_x) / cell - kLineOffset)), 0,
                      std::max(columns - 1, 0));
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
    Cutter cutter(sheet);
    for_each_sweep(program, cutter);
    return sheet;
}

}  // namespace veskaro::simulate
