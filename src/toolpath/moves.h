// The motion of one program as the preview understands it: every G0, G1, G2
// and G3 line becomes one move from where the tool was to where the line
// sends it.  Coordinates are millimetres on the machine, X right, Y up, Z up
// (cutting depths negative).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "toolpath/move_list.h"
#include "toolpath/panel_marks.h"

namespace veskaro::toolpath {

struct Program {
    // Kept compactly: a program of millions of short lines stays within a
    // few times its own size in memory.
    MoveList moves;
    // Lines whose numbers are written with an exponent ("4.37114e-08"):
    // readable here, but refused by most controllers.
    std::vector<std::int64_t> exponent_lines;
    // Seconds the program waits in G4 dwells (while a spindle comes up to
    // speed), in all.
    double dwell_seconds = 0;
    // The panels of a sheet program, from the comments before their
    // outlines; none in a face program.
    std::vector<PanelMark> panels;
};

inline bool is_arc(const Move& move) {
    return move.kind == MoveKind::arc_clockwise || move.kind == MoveKind::arc_counterclockwise;
}

inline bool is_cutting(const Move& move) { return move.kind != MoveKind::rapid; }

}  // namespace veskaro::toolpath
