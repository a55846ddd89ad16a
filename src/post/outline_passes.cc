#include "post/outline_passes.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

bool z_only(const Move& move) { return move.from.x == move.to.x && move.from.y == move.to.y; }

bool ends_at(const Move& move, double x, double y) { return move.to.x == x && move.to.y == y; }

// The pass whose moves begin at `first`, around the rectangle from 0,0 to
// the width and height of its first edge; nothing when the moves are not
// one.
std::optional<OutlinePass> pass_at(const std::vector<Move>& moves, std::size_t first, double& width,
                                   double& height) {
    const Move* m = &moves[first];
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
    return OutlinePass{first, plunge.to.z};
}

bool is_lift(const Move& move) { return move.kind == MoveKind::rapid && z_only(move); }

}  // namespace

std::optional<Outline> find_outline(const Program& program) {
    const std::vector<Move>& moves = program.moves;
    std::size_t end = moves.size();
    while (end > 0 && is_lift(moves[end - 1])) --end;
    Outline outline;
    while (end >= kPassMoves) {
        double width = 0, height = 0;
        const std::optional<OutlinePass> pass = pass_at(moves, end - kPassMoves, width, height);
        if (!pass) break;
        if (!outline.passes.empty() && (width != outline.width || height != outline.height)) break;
        outline.width = width;
        outline.height = height;
        outline.passes.insert(outline.passes.begin(), *pass);
        end -= kPassMoves;
    }
    if (outline.passes.empty()) return std::nullopt;
    return outline;
}

std::size_t first_travel(const Program& program) {
    std::size_t n = 0;
    while (n < program.moves.size() && is_lift(program.moves[n])) ++n;
    return n;
}

}  // namespace veskaro::post
