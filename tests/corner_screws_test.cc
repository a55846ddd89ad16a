#include "gcode/corner_screws.h"

#include <gtest/gtest.h>

#include "support/section_fixture.h"

namespace {

using namespace veskaro;
using namespace veskaro::testing;

Arguments screw_settings() {
    Arguments s = cutting_settings(3, 3, 1, 100);
    s.screw_size_top = 4;
    s.screw_head_diameter = 6;
    s.screw_head_height = 2;
    s.screw_extra_margin = 1;
    return s;
}

struct Screws {
    std::vector<std::string> lines;
    std::string console;
};

Screws screws(const Arguments& settings, float width = 200, float height = 100) {
    FaceLines face;
    create_corner_holes_with_recess(width, height, settings, face.lines);
    return Screws{face.program(), face.console()};
}

TEST(CornerScrews, HolesThenHeadRecessesAtTheFourCorners) {
    const Screws s = screws(screw_settings());
    ASSERT_EQ(s.lines.size(), 72u);
    EXPECT_EQ(s.lines[0], "G0 X8.25 Y7.75 ; Move to the screw position");
    EXPECT_EQ(s.lines[1], "G1 Z-1.00 F100.00 ; Drill hole at (7.75, 7.75) to depth -1.00mm");
    EXPECT_EQ(s.lines[2], "G2 X8.25 Y7.75 I-0.50 J0 F100.00 ; Cut a screw with radius 0.50mm");
    EXPECT_EQ(s.lines[7], "G1 Z-3.00 F100.00 ; Drill hole at (7.75, 7.75) to depth -3.00mm");
    EXPECT_EQ(s.lines[9], "G0 Z5 ; Lift to safe height after cutting screw");
    EXPECT_EQ(s.lines[10], "G0 X192.75 Y7.75 ; Move to the screw position");
    EXPECT_EQ(s.lines[20], "G0 X8.25 Y92.25 ; Move to the screw position");
    EXPECT_EQ(s.lines[40], "G0 X8.50 Y7.75 ; Move to start position on circle edge");
    EXPECT_EQ(s.lines[41], "G1 Z-1.00 F100.00 ; Lower to cutting depth -1.00mm");
    EXPECT_EQ(s.lines[42], "G2 X8.50 Y7.75 I-0.75 J0 F100.00 ; Cut recess with radius 0.75");
    EXPECT_EQ(s.lines[43], "G0 Z5 ; Lift to safe height after cutting");
    EXPECT_EQ(s.lines[45], "G1 Z-2.00 F100.00 ; Lower to cutting depth -2.00mm");
    EXPECT_EQ(s.lines[71], "G0 Z5 ; Lift to safe height after cutting");
    EXPECT_EQ(s.console,
              "Creating screw hole at 7.75, 7.75\n"
              "Creating screw hole at 192.25, 7.75\n"
              "Creating screw hole at 7.75, 92.25\n"
              "Creating screw hole at 192.25, 92.25\n"
              "Creating screw recess at 7.75, 7.75\n"
              "Creating screw recess at 192.25, 7.75\n"
              "Creating screw recess at 7.75, 92.25\n"
              "Creating screw recess at 192.25, 92.25\n");
}

TEST(CornerScrews, DepthsAccumulateInSinglePrecision) {
    Arguments s = screw_settings();
    s.screw_head_diameter = 0;  // no recesses
    s.cut_depth_per_pass = 0.2f;
    EXPECT_EQ(screws(s).lines.size(), 4u * (14 * 3 + 1));
    s.cut_depth_per_pass = 0.1f;
    const auto lines = screws(s).lines;
    ASSERT_EQ(lines.size(), 4u * (30 * 3 + 1));
    // Without a head the corners are inset by the hole alone: 2 + 3 + 1.
    EXPECT_EQ(lines[88], "G1 Z-3.00 F100.00 ; Drill hole at (6.00, 6.00) to depth -3.00mm");
}

TEST(CornerScrews, HoleAndHeadSizesAgainstTheBit) {
    Arguments s = screw_settings();
    // Screw as wide as the bit: the hole is drilled at the corner itself.
    s.screw_size_top = 3;
    auto lines = screws(s).lines;
    EXPECT_EQ(lines[2], "G2 X7.75 Y7.75 I-0.00 J0 F100.00 ; Cut a screw with radius 0.00mm");
    // Narrower than the bit: the start lies on the side of smaller X.
    s.screw_size_top = 2;
    lines = screws(s).lines;
    EXPECT_EQ(lines[0], "G0 X7.25 Y7.75 ; Move to the screw position");
    EXPECT_EQ(lines[2], "G2 X7.25 Y7.75 I0.50 J0 F100.00 ; Cut a screw with radius -0.50mm");
    // A head above half the bit but below 1.5 bits: recess lines are
    // reported but no ring fits.
    s = screw_settings();
    s.screw_head_diameter = 3;
    const Screws narrow = screws(s);
    EXPECT_EQ(narrow.lines.size(), 40u);
    EXPECT_EQ(narrow.console,
              "Creating screw hole at 6.25, 6.25\nCreating screw hole at 193.75, 6.25\n"
              "Creating screw hole at 6.25, 93.75\nCreating screw hole at 193.75, 93.75\n"
              "Creating screw recess at 6.25, 6.25\nCreating screw recess at 193.75, 6.25\n"
              "Creating screw recess at 6.25, 93.75\nCreating screw recess at 193.75, 93.75\n");
    // No head: no recess at all.
    s.screw_head_diameter = 0;
    const Screws none = screws(s);
    EXPECT_EQ(none.lines.size(), 40u);
    // The hole is now the wider: the corners move in to its clearance.
    EXPECT_EQ(none.console, "Creating screw hole at 6, 6\nCreating screw hole at 194, 6\n"
                            "Creating screw hole at 6, 94\nCreating screw hole at 194, 94\n");
}

TEST(CornerScrews, BottomSizeIsUsedOnlyWithoutATopSize) {
    Arguments s = screw_settings();
    s.screw_size_top = 0;
    s.screw_size_bottom = 5;
    EXPECT_EQ(screws(s).lines[2], "G2 X8.75 Y7.75 I-1.00 J0 F100.00 ; Cut a screw with radius 1.00mm");
    s.screw_size_top = 4;
    EXPECT_EQ(screws(s).lines[2], "G2 X8.25 Y7.75 I-0.50 J0 F100.00 ; Cut a screw with radius 0.50mm");
}

}  // namespace
