// The outline of a face program: the passes around the face's rectangle
// from 0,0 that the generator cuts last, each a travel to the upper left
// corner, a plunge and the four edges clockwise.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "toolpath/moves.h"

namespace veskaro::post {

// The moves of one pass, from its first in the program's moves.
inline constexpr std::size_t kPassMoves = 6;

struct OutlinePass {
    std::size_t first_move;  // the travel to the start; the plunge and the four edges follow
    double depth;            // Z of the edges
};

struct Outline {
    double width = 0;   // the rectangle the tool centre runs on, from 0,0
    double height = 0;
    std::vector<OutlinePass> passes;  // in the program's order
};

// The outline when the program ends with it (nothing but lifts after its
// last pass), or nothing.
std::optional<Outline> find_outline(const toolpath::Program& program);

// The first move that takes the tool anywhere but straight up or down at
// rapid: where the cutting of the program begins.  moves.size() when there
// is none.
std::size_t first_travel(const toolpath::Program& program);

}  // namespace veskaro::post
