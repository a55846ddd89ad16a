// One line of the sheet, along X (a row) or along Y (a column): where the bit
// has cut it and how deep, as spans of constant floor.  Between the spans the
// sheet is uncut.  Memory grows with the edges the line crosses, not with its
// length.
#pragma once

#include <cstddef>
#include <vector>

namespace veskaro::simulate {

struct DepthSpan {
    float from;  // mm along the line, from < to
    float to;
    float z;     // the floor, below 0
};

// Sorted, disjoint spans (neighbours may touch).
using DepthLine = std::vector<DepthSpan>;

// Uncut material narrower than this between two cuts is taken as cut: a
// wall thinner than a hundredth of a millimetre stands in no material, and
// programs written with two decimals place cuts meant to meet up to that far
// apart (the rings and rows of a recess, touching openings).
constexpr float kClosedGap = 0.01f;

// Lowers the floor to `z` over [from, to] wherever it is higher.  `scratch`
// is working space kept by the caller between calls.  Returns the change in
// the number of spans.
long cut_line(DepthLine& line, float from, float to, float z, DepthLine& scratch);

// The floor at `at`: the span's z, or 0 between spans.
float floor_at(const DepthLine& line, float at);

}  // namespace veskaro::simulate
