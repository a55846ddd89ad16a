// The motion of one program as the preview understands it: every G0, G1, G2
// and G3 line becomes one move from where the tool was to where the line
// sends it.  Coordinates are millimetres on the machine, X right, Y up, Z up
// (cutting depths negative).
#pragma once

#include <string>
#include <vector>

#include "toolpath/panel_marks.h"

namespace veskaro::toolpath {

struct Position {
    double x = 0;
    double y = 0;
    double z = 0;
};

enum class MoveKind { rapid, feed, arc_clockwise, arc_counterclockwise };

struct Move {
    MoveKind kind = MoveKind::rapid;
    Position from;
    Position to;
    // Centre of an arc; unused for straight moves.
    double centre_x = 0;
    double centre_y = 0;
    // Feed rate in mm/min; 0 for rapid moves.
    double feed = 0;
    // Line of the program the move came from (1 is the first line).
    int line = 0;
    // The line's ";" comment without the spaces around it: it names the
    // component being cut ("Start cutting fan down to -1.50mm").
    std::string comment;
};

struct Program {
    std::vector<Move> moves;
    // Lines whose numbers are written with an exponent ("4.37114e-08"):
    // readable here, but refused by most controllers.
    std::vector<int> exponent_lines;
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
