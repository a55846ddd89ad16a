// What a program does, in figures: where it cuts, how deep, how far the tool
// travels and how long that takes.
#pragma once

#include <string>

#include "toolpath/extents.h"
#include "toolpath/moves.h"

namespace veskaro::preview {

struct Summary {
    toolpath::Extents cutting;      // G1, G2 and G3 moves: start, end and arc extremes
    toolpath::Extents rapid;        // G0 moves: start and end
    double deepest_z = 0;  // lowest Z a cutting move reaches; 0 without one
    double cutting_length = 0;  // mm, along the tool path in X, Y and Z
    double rapid_length = 0;    // mm
    double minutes = 0;  // cutting moves at their F, rapid moves at the rapid rate, and the dwells
    int rapid_moves = 0;
    int feed_moves = 0;
    int arc_moves = 0;          // arcs with a radius above 0
    int zero_radius_arcs = 0;   // full circles of radius 0 (a point)
};

// `rapid_rate` is the speed of G0 moves in mm/min, greater than 0.
Summary summarise(const toolpath::Program& program, double rapid_rate);

// Length of one move in mm.
double move_length(const toolpath::Move& move);

// One line for the console: extents, deepest Z, lengths and time.
std::string summary_text(const Summary& summary);

// The figures separated by tabs, in the order of summary_tsv_header(), with
// enough digits for comparisons to a thousandth of a millimetre.
std::string summary_tsv_header();
std::string summary_tsv(const Summary& summary);

}  // namespace veskaro::preview
