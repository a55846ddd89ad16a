// The sheet split into connected regions by a floor range: each region is a
// connected piece of the sheet whose floor lies in the range (inside), or a
// connected piece where it does not (outside).  Material and through-cuts,
// cut and uncut, pockets and the rest are each a split of this kind.
//
// Regions nest: every region but the outermost lies within one region of
// the other kind, its parent (a hole within a part, a part within the cut
// around it, the cut within the uncut sheet).  Rows decide what connects to
// what (two runs of neighbouring rows connect when they overlap); columns
// give the exact Y edges.
#pragma once

#include <limits>
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
    int region;  // -1 for a column run that crosses no row
};

using RunLine = std::vector<Run>;

struct Region {
    bool inside = false;
    int parent = -1;       // the region around it; -1 for the outermost
    bool border = false;   // reaches the edge of the grid
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;  // exact extents
    double row_area = 0;      // mm², as the rows see it
    double column_area = 0;   // mm², as the columns see it
    float min_z = 0, max_z = 0;  // floors within it
    int low_row = 0;          // its lowest row, and a point of it there
    float low_x = 0;
    float below_z = 0;        // the floor just below that point, in the parent

    double area() const { return (row_area + column_area) / 2; }
    double width() const { return max_x - min_x; }
    double height() const { return max_y - min_y; }
};

struct Regions {
    FloorRange range;
    std::vector<RunLine> rows;     // every row covered by runs from the grid's left edge to its right
    std::vector<RunLine> columns;  // likewise every column
    std::vector<Region> regions;

    // The region at (x, y), seen on the nearest row; -1 off the grid.
    int region_at(const SheetGrid& grid, double x, double y) const;
    // True when `region` is `ancestor` or lies within it.
    bool within(int region, int ancestor) const;
};

Regions split_sheet(const CutSheet& sheet, const FloorRange& range);

// The run of `line` that holds `at`, or nullptr.
const Run* run_at(const RunLine& line, float at);

}  // namespace veskaro::simulate
