#include "simulate/depth_line.h"

#include <algorithm>

namespace veskaro::simulate {

namespace {

// Appends a piece, joined to the last one when they touch at the same floor.
void append(DepthLine& pieces, float from, float to, float z) {
    if (!(from < to)) return;
    if (!pieces.empty() && pieces.back().z == z && pieces.back().to >= from) {
        pieces.back().to = std::max(pieces.back().to, to);
        return;
    }
    pieces.push_back({from, to, z});
}

}  // namespace

long cut_line(DepthLine& line, float from, float to, float z, DepthLine& scratch) {
    if (!(from < to) || !(z < 0)) return 0;
    // The spans that overlap the cut or lie within kClosedGap of it.
    const auto first = std::lower_bound(line.begin(), line.end(), from - kClosedGap,
                                        [](const DepthSpan& span, float at) { return span.to <= at; });
    auto last = first;
    while (last != line.end() && last->from < to + kClosedGap) ++last;
    if (first == last) {
        line.insert(first, {from, to, z});
        return 1;
    }
    // Close a sliver of uncut material at either end.
    if (first->to < from) from = first->to;
    if ((last - 1)->from > to) to = (last - 1)->from;
    // The common case of a deeper pass over the same span, or a cut wholly
    // inside a span as deep.
    if (last - first == 1) {
        DepthSpan& span = *first;
        if (span.from <= from && span.to >= to && span.z <= z) return 0;
        if (span.from >= from && span.to <= to && span.z >= z) {
            span = {from, to, z};
            return 0;
        }
    }
    // The pieces in order: the cut where no span was, each span left and
    // right of the cut as it was, and under the cut the deeper floor.
    scratch.clear();
    float cursor = from;
    for (auto span = first; span != last; ++span) {
        append(scratch, std::max(cursor, from), std::min(span->from, to), z);
        append(scratch, span->from, std::min(span->to, from), span->z);
        append(scratch, std::max(span->from, from), std::min(span->to, to), std::min(span->z, z));
        append(scratch, std::max(span->from, to), span->to, span->z);
        cursor = std::max(cursor, span->to);
    }
    append(scratch, std::max(cursor, from), to, z);
    DepthLine& pieces = scratch;
    const long before = last - first;
    const long after = static_cast<long>(pieces.size());
    const std::ptrdiff_t at = first - line.begin();
    if (after <= before) {
        std::copy(pieces.begin(), pieces.end(), line.begin() + at);
        line.erase(line.begin() + at + after, line.begin() + at + before);
    } else {
        std::copy(pieces.begin(), pieces.begin() + before, line.begin() + at);
        line.insert(line.begin() + at + before, pieces.begin() + before, pieces.end());
    }
    return after - before;
}

float floor_at(const DepthLine& line, float at) {
    const auto span = std::lower_bound(line.begin(), line.end(), at,
                                       [](const DepthSpan& s, float x) { return s.to < x; });
    if (span == line.end() || span->from > at) return 0;
    return span->z;
}

}  // namespace veskaro::simulate
