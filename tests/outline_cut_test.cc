#include "gcode/outline_cut.h"

#include <gtest/gtest.h>

#include "support/section_fixture.h"

namespace {

using namespace veskaro;
using namespace veskaro::testing;

std::vector<std::string> outline(float width, float height, float thickness, float depth,
                                 std::string* console = nullptr) {
    FaceLines face;
    create_outline_cut("Box_Main", width, height, cutting_settings(0, thickness, depth, 300), face.lines);
    if (console) *console = face.console();
    return face.program();
}

TEST(OutlineCut, TwoPassesAroundThePanel) {
    std::string console;
    const std::vector<std::string> pass = {
        "G0 X0 Y100.00 ; Move to the starting point",
        "G1 Z-1.50 F300.00 ; Start cutting down to -1.50mm",
        "G1 X200.00 Y100.00 F300.00 ; Cut along the X axis",
        "G1 X200.00 Y0 ; Cut along the Y axis",
        "G1 X0 Y0 ; Cut back along the X axis",
        "G1 X0 Y100.00 ; Close the loop on the Y axis",
    };
    std::vector<std::string> expected = pass;
    for (std::string line : pass) {
        for (std::size_t at; (at = line.find("-1.50")) != std::string::npos;) line.replace(at, 5, "-3.00");
        expected.push_back(line);
    }
    expected.push_back("G0 Z5 ; Lift the tool to a safe height");
    EXPECT_EQ(outline(200, 100, 3, 1.5, &console), expected);
    EXPECT_EQ(console, "Creating outline cut for: Box_Main\n");
}

TEST(OutlineCut, PassesAccumulateInSinglePrecision) {
    // 3 / 0.7: the last 0.2 mm stays uncut; 3.2 / 0.4: the eighth depth lies
    // just below -3.2.
    auto v = outline(200, 100, 3, 0.7f);
    ASSERT_EQ(v.size(), 4u * 6 + 1);
    EXPECT_EQ(v[19], "G1 Z-2.80 F300.00 ; Start cutting down to -2.80mm");
    v = outline(200, 100, 3.2f, 0.4f);
    ASSERT_EQ(v.size(), 7u * 6 + 1);
    EXPECT_EQ(v[37], "G1 Z-2.80 F300.00 ; Start cutting down to -2.80mm");
    // A pass deeper than the sheet: only the lift.
    EXPECT_EQ(outline(200, 100, 1, 1.5f), std::vector<std::string>{"G0 Z5 ; Lift the tool to a safe height"});
}

}  // namespace
