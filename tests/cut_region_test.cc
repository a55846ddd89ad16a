// The check's measures of the areas a bit clears: crossings, containment
// and the wall left between two areas, on turned rectangles.
#include "check/cut_region.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using veskaro::Point;
using veskaro::rotate_point;
using veskaro::check::Region;

// A rectangle's tool-centre corners as an opening has them: lower left,
// lower right, upper right, upper left, turned about the centre; the bit
// clears `radius` round them.
Region turned_rectangle(Point centre, float half_width, float half_height, float angle, float radius) {
    Region region;
    region.corners = 4;
    region.radius = radius;
    const Point before[4] = {{centre.x - half_width, centre.y - half_height},
                             {centre.x + half_width, centre.y - half_height},
                             {centre.x + half_width, centre.y + half_height},
                             {centre.x - half_width, centre.y + half_height}};
    for (int i = 0; i < 4; ++i) region.core[i] = rotate_point(centre.x, centre.y, angle, before[i].x, before[i].y);
    return region;
}

TEST(CutRegion, SegmentsCrossOnlyInsideBoth) {
    using veskaro::check::segments_cross;
    const Region square = turned_rectangle({50, 50}, 4, 4, 30, 0);
    const Point* q = square.core;
    EXPECT_TRUE(segments_cross(q[0], q[2], q[1], q[3]));   // the diagonals
    EXPECT_FALSE(segments_cross(q[0], q[1], q[1], q[2]));  // edges that only share a corner
    EXPECT_FALSE(segments_cross(q[0], q[1], q[3], q[2]));  // opposite edges
    // A segment from the centre out through one edge, and one that stops short of it.
    const Point out = rotate_point(50, 50, 30, 50, 60);
    const Point short_of_it = rotate_point(50, 50, 30, 50, 53);
    EXPECT_TRUE(segments_cross({50, 50}, out, q[2], q[3]));
    EXPECT_FALSE(segments_cross({50, 50}, short_of_it, q[2], q[3]));
}

TEST(CutRegion, InsideATurnedRectangleWhicheverWayItsCornersRun) {
    using veskaro::check::inside;
    const Region turned = turned_rectangle({50, 50}, 10, 4, 30, 1);
    // A negative half width, as a slot narrower than the bit has, runs the
    // corners the other way round.
    const Region reversed = turned_rectangle({50, 50}, -10, 4, 30, 1);
    for (const Region& region : {turned, reversed}) {
        EXPECT_TRUE(inside(region, {50, 50}));
        EXPECT_TRUE(inside(region, rotate_point(50, 50, 30, 59.9f, 3.9f + 50)));
        EXPECT_FALSE(inside(region, rotate_point(50, 50, 30, 50, 54.1f)));
        // Beyond the core but within the bit's radius: the core alone counts.
        EXPECT_FALSE(inside(region, rotate_point(50, 50, 30, 60.5f, 50)));
    }
    EXPECT_FALSE(inside(veskaro::check::disc({50, 50}, 5), {50, 50}));
}

TEST(CutRegion, WallWidthBetweenTurnedRectanglesDiscsAndTheEdge) {
    using veskaro::check::wall_width;
    // Two 10 x 10 mm openings cut with a 2 mm bit, turned 45 degrees, their
    // centres 14.142 mm apart on X: the rounded corners face each other.
    const Region a = turned_rectangle({50, 50}, 4, 4, 45, 1);
    const Region b = turned_rectangle({64.142f, 50}, 4, 4, 45, 1);
    EXPECT_NEAR(wall_width(a, b), 14.142 - 2 * (4 * std::sqrt(2.0) + 1), 1e-4);
    EXPECT_NEAR(wall_width(b, a), wall_width(a, b), 1e-9);
    // Side by side without the turn they share an edge: no wall.
    EXPECT_NEAR(wall_width(turned_rectangle({50, 50}, 4, 4, 0, 1), turned_rectangle({60, 50}, 4, 4, 0, 1)), 0,
                1e-6);
    // A disc off a turned rectangle's long side, and one over its corner.
    const Region slot = turned_rectangle({50, 50}, 10, 2, 30, 1);
    EXPECT_NEAR(wall_width(slot, veskaro::check::disc(rotate_point(50, 50, 30, 50, 58), 2)), 3, 1e-4);
    EXPECT_LT(wall_width(slot, veskaro::check::disc(slot.core[2], 2)), 0);
    // One inside the other.
    EXPECT_LT(wall_width(slot, turned_rectangle({50, 50}, 2, 1, 30, 0.5f)), 0);

    const veskaro::Box panel{1, 1, 199, 99};
    EXPECT_NEAR(veskaro::check::wall_to_edge(veskaro::check::bounds(veskaro::check::disc({6.03f, 50}, 5)), panel),
                0.03, 1e-5);
    EXPECT_NEAR(veskaro::check::wall_to_edge(veskaro::check::bounds(veskaro::check::disc({195, 97}, 3)), panel), -1,
                1e-5);
}

}  // namespace
