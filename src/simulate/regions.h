// The sheet split into connected regions by a floor range: each region is a
// connected piece of the sheet whose floor lies in the range (inside), or a
// connected piece where it does not (outside).  Material and through-cuts,
// cut and uncut, pockets and the rest are each a split of this kind.
//
// Regions nest: every region but the outermost lies within one region of
// the other kind, its parent (a hole within a part, a part within the cut
// around it, the cut within the uncut sheet).  Rows decide what connects to
// what (two runs of neighbouring rows connect when they overlap); the
// sheet's columns give the exact Y edges.
#pragma once

#include <limits>
#include <span>
#include <vector>

#include "simulate/cut_sheet.h"

namespace veskaro::simulate {

// Inside when above < z <= at_most; the uncut sheet has z 0.
struct FloorRange {
    double above = -std::numeric_limits<double>::infinity();
    double at_most = std::numeric_limits<double>::infinity();

    bool holds(float z) const { return z > above && z <= at_most; }
};

// The floor ranges that the analysis splits the sheet by, for a sheet of
// `thickness`: what is left of it (not cut through), what is cut through,
// what is cut at all, and what is cut but not through.  A floor within a
// tenth of a micrometre of the bottom counts as through.
FloorRange left_of_sheet(double thickness);
FloorRange cut_through(double thickness);
FloorRange cut_at_all();
FloorRange cut_not_through(double thickness);
// What stands above `depth` below the top: the sheet as a cut `depth` deep
// would split it.
FloorRange standing_above(double depth);

struct Run {
    float from;
    float to;
    int region;
};

// The runs of one line, from the grid's edge to its other edge.
using RunLine = std::span<const Run>;

// The runs of every row kept in one block.
class RunLines {
public:
    RunLine operator[](std::size_t line) const {
        return {runs_.data() + first_[line], runs_.data() + first_[line + 1]};
    }
    std::size_t size() const { return first_.size() - 1; }
    bool empty() const { return size() == 0; }

    // Building them line after line.
    void reserve(std::size_t runs) { runs_.reserve(runs); }
    void add(const Run& run) { runs_.push_back(run); }
    void end_line() { first_.push_back(runs_.size()); }
    Run& run(std::size_t line, std::size_t n) { return runs_[first_[line] + n]; }

private:
    std::vector<Run> runs_;
    std::vector<std::size_t> first_{0};
};

struct Region {
    bool inside = false;
    int parent = -1;       // the region around it; -1 for the outermost
    bool border = false;   // reaches the edge of the grid
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;  // exact extents
    double area = 0;          // mm², the rows' lengths times a cell
    float min_z = 0, max_z = 0;  // floors within it
    int low_row = 0;          // its lowest row, and a point of it there
    float low_x = 0;
    float below_z = 0;        // the floor just below that point, in the parent

    double width() const { return max_x - min_x; }
    double height() const { return max_y - min_y; }
};

struct Regions {
    FloorRange range;
    RunLines rows;  // every row covered by runs from the grid's left edge to its right
    std::vector<Region> regions;

    // The region at (x, y), seen on the nearest row; -1 off the grid.
    int region_at(const SheetGrid& grid, double x, double y) const;
    // True when `region` is `ancestor` or lies within it.
    bool within(int region, int ancestor) const;
};

Regions split_sheet(const CutSheet& sheet, const FloorRange& range);

// The run of `line` that holds `at`, or nullptr.
const Run* run_at(RunLine line, float at);

// Along a line of the sheet: where the stretch of the same kind as `at`
// (inside the range or not) ends, going down (towards `low`) or up
// (towards `high`), the ends of the line.
float kind_ends(const DepthLine& line, const FloorRange& range, float at, bool down, float low, float high);

}  // namespace veskaro::simulate
