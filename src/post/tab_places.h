// Where the holding tabs sit on an outline: evenly spaced along the path,
// on its straight edges, clear of the corners.
#pragma once

#include <vector>

namespace veskaro::post {

// The centres of the tabs, as distances along the tool centre's path
// around a `width` x `height` rectangle, clockwise from its upper left
// corner (the top edge first), in ascending order.
//
// The `count` places lie evenly spaced along the path, the first in the
// middle of the top edge (so four tabs sit in the middles of the four
// edges).  A place closer than `bit` + `tab_width` / 2 to a corner moves to
// the nearest place that is not, on its own edge or another (of two as
// near, the one ahead along the path); an edge shorter than twice that
// holds none.  A tab that would then come closer
// to another than `tab_width` + `bit` (a bit's length of cut between
// them) is left out: fewer tabs than asked on a small outline.  Empty when
// no edge is long enough for a tab.
std::vector<double> tab_places(double width, double height, int count, double tab_width, double bit);

// The tool lifts over a tab along a length of its path equal to the tab's
// width: that is the length of material left along the part's edge.  In
// the middle of the cut the bit's round ends take half a bit from each
// side, so a tab must be wider than the bit to hold at all.

}  // namespace veskaro::post
