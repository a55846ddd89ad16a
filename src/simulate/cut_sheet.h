// The sheet after the cut: every move of a program below Z 0 (rapid moves
// too) removes what a flat-end bit sweeps, down to the move's depth.
//
// The sheet is kept as lines: rows along X, one every cell in Y, and columns
// along Y, one every cell in X, each holding the exact chords the bit cut
// and their floors (see depth_line.h).  A row gives exact X edges, a column
// exact Y edges; memory grows with the edges, not with the area.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolpath/moves.h"
#include "simulate/cut_settings.h"
#include "simulate/depth_line.h"

namespace veskaro::simulate {

// Rows and columns lie a fixed fraction of a cell past whole cells, so that
// edges at round numbers of millimetres do not fall exactly on them.
constexpr double kLineOffset = 0.5707;

struct SheetGrid {
    double origin_x = 0;  // mm, a whole number of cells
    double origin_y = 0;
    double cell = 0.05;
    double per_mm = 20;   // cells a millimetre, 1 / cell
    int columns = 0;
    int rows = 0;

    double row_y(int row) const { return origin_y + (row + kLineOffset) * cell; }
    double column_x(int column) const { return origin_x + (column + kLineOffset) * cell; }
    // Where `y` falls among the rows (and `x` among the columns): 3 on the
    // fourth row, 3.5 half-way to the fifth.
    double row_place(double y) const { return (y - origin_y) * per_mm - kLineOffset; }
    double column_place(double x) const { return (x - origin_x) * per_mm - kLineOffset; }
    // The nearest row to `y` and column to `x`, clamped to the grid.
    int row_near(double y) const;
    int column_near(double x) const;
    // The first and the last row within [low, high], and column; first
    // above last when there is none.
    int first_row(double low) const;
    int last_row(double high) const;
    int first_column(double low) const;
    int last_column(double high) const;
};

struct CutSheet {
    CutSettings settings;
    SheetGrid grid;  // the cut area, at least two cells of uncut sheet around it
    std::vector<DepthLine> rows;
    std::vector<DepthLine> columns;
    long spans = 0;
};

// The program cannot be simulated: its moves reach beyond a sane sheet, or
// the lines would take more memory than allowed.  `line` is the program
// line at fault, or 0 when the whole program is.
class SimulationError : public std::runtime_error {
public:
    SimulationError(std::int64_t line, const std::string& what) : std::runtime_error(what), line_(line) {}
    std::int64_t line() const { return line_; }

private:
    std::int64_t line_;
};

// A move that reaches farther than this from the origin, in X or Y, is
// refused: no sheet is 10 m wide.
constexpr double kLargestReach = 10000;

// The lines and chords that may be kept: with the working space of the
// analysis they stay within 256 MiB.  A sheet of 600 x 400 mm takes 20,000
// lines at the default cell, the example's five faces 80,000 chords in all.
constexpr long kMostLines = 400'000;
constexpr long kMostSpans = 2'000'000;

// `settings` must pass settings_refusal().  Throws SimulationError.
CutSheet cut_sheet(const toolpath::Program& program, const CutSettings& settings);

// One line across the sheet, anywhere, cut as cut_sheet() cuts its rows
// (`row` true: along X at y = `at`) and columns (along Y at x = `at`), in
// double precision: where a line of the grid is not close enough to
// measure.  The floor along it, as sorted spans.
struct ProbeSpan {
    double from;
    double to;
    double z;
};
std::vector<ProbeSpan> probe_line(const toolpath::Program& program, const CutSettings& settings, bool row,
                                  double at);

// True when a floor `z` goes through a sheet of `thickness`.
inline bool through(float z, double thickness) { return z <= -thickness + 1e-4; }

}  // namespace veskaro::simulate
