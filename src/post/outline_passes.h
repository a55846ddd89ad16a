// The outline of a face program: the passes around the face's rectangle
// from 0,0 that the generator cuts last, each a travel to the upper left
// corner, a plunge and the four edges clockwise.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "toolpath/moves.h"

namespace veskaro::post {

// The moves of one pass.
inline constexpr std::size_t kPassMoves = 6;

struct OutlinePass {
    // The lines of its moves (1 is the first): the travel to the start, the
    // plunge and the four edges.
    std::array<std::int64_t, kPassMoves> lines{};
    double depth = 0;  // Z of the edges
};

struct Outline {
    double width = 0;   // the rectangle the tool centre runs on, from 0,0
    double height = 0;
    std::vector<OutlinePass> passes;  // in the program's order
};

// The outline when the program ends with it (nothing but lifts after its
// last pass), or nothing.
std::optional<Outline> find_outline(const toolpath::Program& program);

// The line of the first move that takes the tool anywhere but straight up
// or down at rapid, where the cutting of the program begins; nothing when
// there is none.
std::optional<std::int64_t> first_travel_line(const toolpath::Program& program);

}  // namespace veskaro::post
