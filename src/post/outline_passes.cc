#include "post/outline_passes.h"

#include <algorithm>

namespace veskaro::post {

using namespace toolpath;

namespace {

bool z_only(const Move& move) { return move.from.x == move.to.x && move.from.y == move.to.y; }

bool ends_at(const Move& move, double x, double y) { return move.to.x == x && move.to.y == y; }

bool is_lift(const Move& move) { return move.kind == MoveKind::rapid && z_only(move); }

// The pass made of the moves m[0] to m[5], around the rectangle from 0,0 to
// the width and height of its first edge; nothing when they are not one.
std::optional<OutlinePass> pass_of(const Move* m, double& width, double& height) {
    const Move& travel = m[0];
    const Move& plunge = m[1];
    if (travel.kind != MoveKind::rapid || travel.to.z != travel.from.z || travel.to.x != 0) return std::nullopt;
    if (plunge.kind != MoveKind::feed || !z_only(plunge)) return std::nullopt;
    const double w = m[2].to.x;
    const double h = travel.to.y;
    if (!(w > 0 && h > 0)) return std::nullopt;
    const double corners[4][2] = {{w, h}, {w, 0}, {0, 0}, {0, h}};
    for (int edge = 0; edge < 4; ++edge) {
        const Move& move = m[2 + edge];
        if (move.kind != MoveKind::feed || move.to.z != plunge.to.z || move.from.z != plunge.to.z ||
            !ends_at(move, corners[edge][0], corners[edge][1])) {
            return std::nullopt;
        }
    }
    width = w;
    height = h;
    OutlinePass pass;
    for (std::size_t n = 0; n < kPassMoves; ++n) pass.lines[n] = m[n].line;
    pass.depth = plunge.to.z;
    return pass;
}

// The moves from `first` on, as many as `moves` holds.
void moves_at(const MoveList& list, std::size_t first, std::array<Move, kPassMoves>& moves) {
    MoveList::Iterator it = list.at(first);
    for (Move& move : moves) move = *it++;
}

}  // namespace

std::optional<Outline> find_outline(const Program& program) {
    // The outline is the program's last cut: it is looked for from the end,
    // a pass at a time, so that a long program is never held twice.
    const MoveList& list = program.moves;
    std::size_t end = list.size();
    while (end > 0 && is_lift(list[end - 1])) --end;
    Outline outline;
    std::array<Move, kPassMoves> moves;
    while (end >= kPassMoves) {
        double width = 0, height = 0;
        moves_at(list, end - kPassMoves, moves);
        const std::optional<OutlinePass> pass = pass_of(moves.data(), width, height);
        if (!pass) break;
        if (!outline.passes.empty() && (width != outline.width || height != outline.height)) break;
        outline.width = width;
        outline.height = height;
        outline.passes.push_back(*pass);
        end -= kPassMoves;
    }
    if (outline.passes.empty()) return std::nullopt;
    std::reverse(outline.passes.begin(), outline.passes.end());
    return outline;
}

std::optional<std::int64_t> first_travel_line(const Program& program) {
    for (const Move& move : program.moves) {
        if (!is_lift(move)) return move.line;
    }
    return std::nullopt;
}

}  // namespace veskaro::post
