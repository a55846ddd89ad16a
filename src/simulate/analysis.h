// What comes off the machine, measured on the simulated cut: the parts,
// each with its holes, pockets, bridges or skin, and the findings (what went
// otherwise than a careful user would want).
//
// A part is a piece of the sheet separated from the stock around it: cut
// free when a through-cut surrounds it, held when the cut around it leaves
// bridges of material below its floor, or not cut free at all when the cut
// around it stops short of the bottom everywhere (a skin).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolpath/moves.h"
#include "simulate/contours.h"
#include "simulate/cut_sheet.h"

namespace veskaro::simulate {

struct Box {
    double min_x = 0, min_y = 0, max_x = 0, max_y = 0;

    double width() const { return max_x - min_x; }
    double height() const { return max_y - min_y; }
    double centre_x() const { return (min_x + max_x) / 2; }
    double centre_y() const { return (min_y + max_y) / 2; }
};

// A place on the sheet that lies in a feature, for finding it again.
struct SheetPoint {
    double x = 0;
    double y = 0;
};

struct Hole {
    std::vector<std::string> components;  // whose cuts made it, in the order they were cut
    Box box;
    double area = 0;                    // mm², the whole opening
    std::optional<double> diameter;     // when it is a circle
    double min_depth = 0, max_depth = 0;  // of the floor the bit reached, below the top
    SheetPoint at;
};

struct Pocket {
    std::vector<std::string> components;
    Box box;
    double area = 0;
    double min_depth = 0, max_depth = 0;  // the shallowest and the deepest floor
    SheetPoint at;
};

// Material left under the cut around a part, joining it to the stock.
struct Bridge {
    Box box;
    double width = 0;   // along the cut
    double height = 0;  // of the material left, above the sheet's bottom
    double area = 0;
    double min_depth = 0, max_depth = 0;  // of the cut over it
    SheetPoint at;
};

// The edges of a part for drawing it (see contours.h).
struct DepthShape {
    double depth;  // the pockets cut at least this deep
    std::vector<Contour> contours;
};

struct PartShapes {
    std::vector<Contour> outline;               // the part's edge and its holes' edges (even-odd)
    std::vector<std::vector<Contour>> holes;    // of a part with Hold::none alone, in the order of Part::holes
    std::vector<DepthShape> pockets;            // the shallowest first
    std::vector<std::vector<Contour>> bridges;  // in the order of Part::bridges, then the skin
};

enum class Hold {
    freed,    // cut free
    bridges,  // held by bridges
    skin,     // not cut free: the cut around it stops short everywhere
    none,     // no cut goes around it: it is not separated at all
};

struct Part {
    Hold hold = Hold::none;
    Box box;             // its size
    double area = 0;     // of its material seen from above, holes left out
    double level = 0;    // depth of the cut that separates it (the thickness when freed)
    SheetPoint at;       // a point of its material
    std::vector<Hole> holes;
    std::vector<Pocket> pockets;
    std::vector<Bridge> bridges;  // with Hold::bridges
    std::optional<Bridge> skin;   // with Hold::skin: the skin, `height` its thickness
    PartShapes shapes;            // with AnalysisSettings::shapes
};

enum class FindingKind {
    beyond_outline,  // a cut reaches beyond the part's edge, or lies outside it
    merged_holes,    // cuts made apart end as one hole
    thin_wall,       // material between two through-cuts thinner than the minimum
    uncut_skin,      // a through-cut stops short of the bottom
    island,          // uncut material standing inside a recess
    rapid_in_material,  // a rapid move below Z 0
};

struct Finding {
    FindingKind kind;
    std::string text;   // what happened, with its figure
    Box where;
    double figure = 0;  // the size the text gives, in mm
    double min_depth = 0, max_depth = 0;
    std::int64_t line = 0;  // the program line, for a rapid move
};

struct AnalysisSettings {
    // Walls between two through-cuts thinner than this are findings.
    double minimum_wall = 1;
    // Points that lie in the parts asked for; empty: the centre of the
    // cutting moves below Z 0 (a face program's centre).  A part separated
    // only by a cut that stops short is found through these points.
    std::vector<SheetPoint> part_at;
    // Also find the parts' edges for drawing.
    bool shapes = false;
};

struct Analysis {
    std::vector<Part> parts;  // the one holding the first point asked for first
    std::vector<Finding> findings;
    // The floors the program cuts to, the shallowest first: the depth levels
    // of the pockets' key.
    std::vector<double> depths;
};

Analysis analyse(const CutSheet& sheet, const toolpath::Program& program, const AnalysisSettings& settings);

}  // namespace veskaro::simulate
