#include "gcode/component_cutouts.h"

#include <gtest/gtest.h>

#include "support/section_fixture.h"

namespace {

using namespace veskaro;
using namespace veskaro::testing;

struct Cut {
    std::vector<std::string> lines;
    std::string console;
};

Cut cutouts(const char* face_json, float bit = 2, float thickness = 3, float depth = 1.5f) {
    FaceLines face;
    create_component_cutouts(Json::parse(face_json), 100, cutting_settings(bit, thickness, depth, 300), face.lines);
    return Cut{face.program(), face.console()};
}

TEST(ComponentCutouts, CircularOpeningCompensatedByTheBit) {
    const Cut cut = cutouts(R"({"fan": {"location_x": 5, "location_y": 4, "drill_diameter": 3}})");
    EXPECT_EQ(cut.console, "### Component: fan\n");
    EXPECT_EQ(cut.lines, (std::vector<std::string>{
                             "G0 X36.00 Y60.00 ; Move to the pocket position",
                             "G1 Z-1.50 F300.00 ; Start cutting fan down to -1.50mm",
                             "G2 X36.00 Y60.00 I14.00 J0 F300.00 ; Cut a circle",
                             "G0 X36.00 Y60.00 ; Move to the pocket position",
                             "G1 Z-3.00 F300.00 ; Start cutting fan down to -3.00mm",
                             "G2 X36.00 Y60.00 I14.00 J0 F300.00 ; Cut a circle",
                             "G0 Z5 ; Lift to safe height after cutting fan",
                         }));
}

TEST(ComponentCutouts, RectangularOpeningTurnedClockwise) {
    const Cut turned = cutouts(
        R"({"switch": {"location_x": 2, "location_y": 8, "drill_width": 2, "drill_height": 1, "rotation": 90}})");
    ASSERT_EQ(turned.lines.size(), 15u);
    EXPECT_EQ(std::vector<std::string>(turned.lines.begin(), turned.lines.begin() + 7),
              (std::vector<std::string>{
                  "G0 X16.00 Y29.00 ; Move to the pocket position",
                  "G1 Z-1.50 F300.00 ; Start cutting switch down to -1.50mm",
                  "G1 X16.00 Y29.00 F300.00 ; Cut along the first corner",
                  "G1 X16.00 Y11.00 ; Cut along the second corner",
                  "G1 X24.00 Y11.00 ; Cut along the third corner",
                  "G1 X24.00 Y29.00 ; Cut along the fourth corner",
                  "G1 X16.00 Y29.00 ; Close the loop back to the first corner",
              }));
    EXPECT_EQ(turned.lines[8], "G1 Z-3.00 F300.00 ; Start cutting switch down to -3.00mm");
    EXPECT_EQ(turned.lines[14], "G0 Z5 ; Lift to safe height after cutting switch");

    const Cut straight =
        cutouts(R"({"switch": {"location_x": 2, "location_y": 8, "drill_width": 2, "drill_height": 1}})");
    EXPECT_EQ(straight.lines[2], "G1 X11.00 Y16.00 F300.00 ; Cut along the first corner");
    EXPECT_EQ(straight.lines[3], "G1 X29.00 Y16.00 ; Cut along the second corner");
    EXPECT_EQ(straight.lines[4], "G1 X29.00 Y24.00 ; Cut along the third corner");
    EXPECT_EQ(straight.lines[5], "G1 X11.00 Y24.00 ; Cut along the fourth corner");
}

TEST(ComponentCutouts, ShapeChoiceOrderAndConsole) {
    // Key order, not file order; every member is reported, also without an
    // opening; a diameter wins over width and height and "rotation" is then
    // not read, so a bad one does no harm.
    const Cut cut = cutouts(R"({
        "b": {"location_x": 1, "location_y": 1, "drill_width": 1},
        "A": {"location_x": 1, "location_y": 1, "drill_diameter": 0.2,
              "drill_width": 2, "drill_height": 2, "rotation": "bad"},
        "c": {"location_x": 0, "location_y": 0}})");
    EXPECT_EQ(cut.console, "### Component: A\n### Component: b\n### Component: c\n");
    EXPECT_EQ(cut.lines, (std::vector<std::string>{
                             "G0 X10.00 Y90.00 ; Move to the pocket position",
                             "G1 Z-1.50 F300.00 ; Start cutting A down to -1.50mm",
                             "G2 X10.00 Y90.00 I0.00 J0 F300.00 ; Cut a circle",
                             "G0 X10.00 Y90.00 ; Move to the pocket position",
                             "G1 Z-3.00 F300.00 ; Start cutting A down to -3.00mm",
                             "G2 X10.00 Y90.00 I0.00 J0 F300.00 ; Cut a circle",
                             "G0 Z5 ; Lift to safe height after cutting A",
                         }));
}

TEST(ComponentCutouts, DrillNarrowerThanTheBitAndPassDeeperThanTheSheet) {
    // A negative radius starts right of the centre and still circles it.
    Cut cut = cutouts(R"({"pin": {"location_x": 5, "location_y": 5, "drill_diameter": 0.1}})");
    EXPECT_EQ(cut.lines[0], "G0 X50.50 Y50.00 ; Move to the pocket position");
    EXPECT_EQ(cut.lines[2], "G2 X50.50 Y50.00 I-0.50 J0 F300.00 ; Cut a circle");
    cut = cutouts(R"({"pin": {"location_x": 5, "location_y": 5, "drill_diameter": 1}})", 2, 1, 1.5f);
    EXPECT_EQ(cut.lines, std::vector<std::string>{"G0 Z5 ; Lift to safe height after cutting pin"});
}

TEST(ComponentCutouts, AnArrayFaceNamesComponentsByIndex) {
    const Cut cut = cutouts(R"([{"location_x": 1, "location_y": 1}, {"location_x": 1, "location_y": 1}])");
    EXPECT_EQ(cut.console, "### Component: 0\n### Component: 1\n");
    EXPECT_TRUE(cut.lines.empty());
}

}  // namespace
