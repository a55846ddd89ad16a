// One move of a program: a G0, G1, G2 or G3 line, from where the tool was to
// where the line sends it.  Coordinates are millimetres on the machine, X
// right, Y up, Z up (cutting depths negative).
#pragma once

#include <cstdint>
#include <string_view>

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
    // Line of the program the move came from (1 is the first line); 64 bits,
    // so that no count of lines wraps.
    std::int64_t line = 0;
    // The line's ";" comment without the spaces around it: it names the
    // component being cut ("Start cutting fan down to -1.50mm").  It views
    // the text the move was read from, or the MoveList that holds the move.
    std::string_view comment;
};

}  // namespace veskaro::toolpath
