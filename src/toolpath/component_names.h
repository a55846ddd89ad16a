// The component a program's lines cut, from their comments.  The generator
// names the component whose opening it cuts from "Start cutting <name> down
// to <z>mm" to "Lift to safe height after cutting <name>"; the moves in
// between are that component's.  Recesses, screw holes and outlines say
// "Start cutting down to" without a name, or other words.
#pragma once

#include <string_view>

#include "toolpath/moves.h"

namespace veskaro::toolpath {

// The name in "Start cutting <name> down to -1.50mm"; empty for any other
// comment, the unnamed "Start cutting down to" included.
std::string_view started_component(std::string_view comment);

// True for "Lift to safe height after cutting <name>" of that name.
bool ends_component(std::string_view comment, std::string_view name);

// The component each move cuts, the moves given in program order: the name
// of the last "Start cutting" up to it that no lift has ended, or empty.
// The name views that move's comment, so it holds as long as the moves
// (a MoveList keeps its comments).  Nothing per move is kept: a program of
// millions of moves is followed in constant memory.
class ComponentOfMoves {
public:
    std::string_view next(const Move& move);

private:
    std::string_view current_;
};

}  // namespace veskaro::toolpath
