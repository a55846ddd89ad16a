// The component a program's lines cut, from their comments.  The generator
// names the component whose opening it cuts from "Start cutting <name> down
// to <z>mm" to "Lift to safe height after cutting <name>"; the moves in
// between are that component's.  Recesses, screw holes and outlines say
// "Start cutting down to" without a name, or other words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toolpath/moves.h"

namespace veskaro::toolpath {

// The name in "Start cutting <name> down to -1.50mm"; empty for any other
// comment, the unnamed "Start cutting down to" included.
std::string_view started_component(std::string_view comment);

// True for "Lift to safe height after cutting <name>" of that name.
bool ends_component(std::string_view comment, std::string_view name);

// For every move of the program, the component it cuts: the name of the
// last "Start cutting" before it that no lift has ended, or empty.
std::vector<std::string_view> component_of_moves(const Program& program);

}  // namespace veskaro::toolpath
