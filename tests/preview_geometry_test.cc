// The preview's reading of programs: extents, lengths and times of known
// paths, and arcs in both directions.
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "toolpath/program_file.h"
#include "preview/summary.h"

namespace {

using namespace veskaro::preview;
using namespace veskaro::toolpath;

constexpr double kPi = std::numbers::pi;

Summary summary_of(const std::string& body, double rapid_rate = 1000) {
    std::istringstream in("# header\nG21 ; mm\nG90 ; absolute\n" + body + "M30 ; end\n");
    return summarise(read_program(in, "program.nc"), rapid_rate);
}

void expect_cut_extents(const Summary& s, double min_x, double max_x, double min_y, double max_y) {
    ASSERT_FALSE(s.cutting.empty);
    EXPECT_NEAR(s.cutting.min_x, min_x, 1e-9);
    EXPECT_NEAR(s.cutting.max_x, max_x, 1e-9);
    EXPECT_NEAR(s.cutting.min_y, min_y, 1e-9);
    EXPECT_NEAR(s.cutting.max_y, max_y, 1e-9);
}

TEST(PreviewGeometry, FullCircleOfRadius14AboutFiftySixty) {
    // Started on its right side as a recess ring, and on its left side as an
    // opening: the same circle either way.
    const Summary right = summary_of(
        "G0 Z5 ; lift\nG0 X64.00 Y60.00 ; start\nG1 Z-1.00 F600.00 ; plunge\n"
        "G2 X64.00 Y60.00 I-14.00 J0 F600.00 ; circle\nG0 Z5 ; lift\n");
    expect_cut_extents(right, 36, 64, 46, 74);
    const Summary left = summary_of(
        "G0 X36.00 Y60.00 ; start\nG1 Z-1.00 F600.00 ; plunge\nG2 X36.00 Y60.00 I14.00 J0 F600.00 ; circle\n");
    expect_cut_extents(left, 36, 64, 46, 74);

    EXPECT_NEAR(right.cutting_length, 6 + 2 * kPi * 14, 1e-9);  // the plunge starts at Z5
    EXPECT_DOUBLE_EQ(right.deepest_z, -1);
    // Up 5 from the origin, across to the start, and up 6 at the end.
    const double rapid = 5 + std::hypot(64.0, 60.0) + 6;
    EXPECT_NEAR(right.rapid_length, rapid, 1e-9);
    EXPECT_NEAR(right.minutes, (6 + 2 * kPi * 14) / 600 + rapid / 1000, 1e-12);
    EXPECT_NEAR(summary_of("G0 X100 ; far\n", 250).minutes, 100.0 / 250, 1e-12);
    EXPECT_EQ(right.arc_moves, 1);
    EXPECT_EQ(right.feed_moves, 1);
    EXPECT_EQ(right.rapid_moves, 3);
}

TEST(PreviewGeometry, PartialArcsCoverOnlyTheQuartersTheyPass) {
    const std::string start = "G0 X60 Y50 ; start\nG1 Z-1 F100 ; plunge\n";
    // Clockwise from the right point down to the bottom point: a quarter.
    Summary s = summary_of(start + "G2 X50 Y40 I-10 J0 ; quarter\n");
    expect_cut_extents(s, 50, 60, 40, 50);
    EXPECT_NEAR(s.cutting_length, 1 + 2 * kPi * 10 / 4, 1e-9);
    // Counter-clockwise from the right point up to the top point.
    expect_cut_extents(summary_of(start + "G3 X50 Y60 I-10 J0 ; quarter\n"), 50, 60, 50, 60);
    // Half circles to the left point, over the top and under the bottom.
    expect_cut_extents(summary_of(start + "G3 X40 Y50 I-10 J0 ; half\n"), 40, 60, 50, 60);
    expect_cut_extents(summary_of(start + "G2 X40 Y50 I-10 J0 ; half\n"), 40, 60, 40, 50);
    // Three quarters clockwise, from the right point round to the top point.
    s = summary_of(start + "G2 X50 Y60 I-10 J0 ; three quarters\n");
    expect_cut_extents(s, 40, 60, 40, 60);
    EXPECT_NEAR(s.cutting_length, 1 + 2 * kPi * 10 * 3 / 4, 1e-9);
}

TEST(PreviewGeometry, ZeroRadiusCircleIsAPointAndIsCounted) {
    const Summary s = summary_of("G0 X30.00 Y30.00 ; start\nG1 Z-1.00 F600.00 ; plunge\n"
                                 "G2 X30.00 Y30.00 I-0.00 J0 F600.00 ; ring of radius 0\n"
                                 "G2 X30.00 Y30.00 I0.00 J0 F600.00 ; hole of radius 0\n");
    expect_cut_extents(s, 30, 30, 30, 30);
    EXPECT_EQ(s.zero_radius_arcs, 2);
    EXPECT_EQ(s.arc_moves, 0);
    EXPECT_DOUBLE_EQ(s.cutting_length, 1);
}

TEST(PreviewGeometry, GeneralFormNumbersAndModalFeed) {
    // Rectangular recesses write the general form: whole numbers, six
    // significant digits, exponents for residues next to zero.
    std::istringstream in("G0 X-0 Y12.5 ; start\nG1 Z-1 F600 ; plunge\nG1 X61.1603 Y4.37114e-08 ; row\n"
                          "G1 X5 ; feed carried over\nM30 ; end\n");
    const Program program = read_program(in, "program.nc");
    ASSERT_EQ(program.moves.size(), 4u);
    EXPECT_DOUBLE_EQ(program.moves[2].to.x, 61.1603);
    EXPECT_DOUBLE_EQ(program.moves[2].to.y, 4.37114e-08);
    EXPECT_DOUBLE_EQ(program.moves[3].feed, 600);
    EXPECT_DOUBLE_EQ(program.moves[3].to.y, 4.37114e-08);  // unchanged axes stay
    ASSERT_EQ(program.exponent_lines.size(), 1u);
    EXPECT_EQ(program.exponent_lines[0], 3);
}

TEST(PreviewGeometry, SummaryLineAndEmptyProgram) {
    const Summary s = summary_of("G0 X36.00 Y60.00 ; start\nG1 Z-1.00 F600.00 ; plunge\n"
                                 "G2 X36.00 Y60.00 I14.00 J0 F600.00 ; circle\nG0 Z5 ; lift\n");
    EXPECT_EQ(summary_text(s),
              "X 36.00..64.00 Y 46.00..74.00 mm, deepest Z -1.00 mm, cutting 89.0 mm, rapid 76.0 mm, time 0:00:13");
    const Summary none = summary_of("G0 Z5 ; lift\n");
    EXPECT_TRUE(none.cutting.empty);
    EXPECT_EQ(summary_text(none), "no cutting moves, cutting 0.0 mm, rapid 5.0 mm, time 0:00:00");
}

}  // namespace
