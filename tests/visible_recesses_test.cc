#include "gcode/visible_recesses.h"

#include <gtest/gtest.h>

#include "support/section_fixture.h"

namespace {

using namespace veskaro;
using namespace veskaro::testing;

struct Recess {
    std::vector<std::string> lines;
    std::string console;
};

Recess recesses(const char* face_json, float bit, float depth, float recess_depth) {
    FaceLines face;
    Arguments settings = cutting_settings(bit, 3, depth, 300);
    settings.recess_depth = recess_depth;
    create_visible_recesses(Json::parse(face_json), 100, settings, face.lines);
    return Recess{face.program(), face.console()};
}

TEST(VisibleRecesses, CircularRecessFromTheOutsideInward) {
    const Recess r = recesses(R"({"knob": {"location_x": 5, "location_y": 4, "visible_diameter": 1.2}})", 3, 1.5f, 3);
    EXPECT_EQ(r.console, "### Current circular recess: knob\n");
    const std::vector<std::string> level = {
        "G0 X54.50 Y60.00 ; Move to the start of the circle (right side)",
        "G1 Z-1.50 F300.00 ; Start cutting down to -1.50mm",
        "G2 X54.50 Y60.00 I-4.50 J0 F300.00 ; Cut a circle",
        "G0 Z5 ; Lift to safe height after cutting",
        "G0 X51.50 Y60.00 ; Move to the start of the circle (right side)",
        "G1 Z-1.50 F300.00 ; Start cutting down to -1.50mm",
        "G2 X51.50 Y60.00 I-1.50 J0 F300.00 ; Cut a circle",
        "G0 Z5 ; Lift to safe height after cutting",
    };
    std::vector<std::string> expected = level;
    for (std::string line : level) {
        for (std::size_t at; (at = line.find("-1.50mm")) != std::string::npos;) line.replace(at, 7, "-3.00mm");
        for (std::size_t at; (at = line.find("Z-1.50")) != std::string::npos;) line.replace(at, 6, "Z-3.00");
        expected.push_back(line);
    }
    EXPECT_EQ(r.lines, expected);
}

TEST(VisibleRecesses, RectangularRecessInAlternatingRows) {
    const Recess r = recesses(
        R"({"display": {"location_x": 5, "location_y": 4, "visible_width": 2, "visible_height": 0.8}})", 2, 1.5f,
        1.5f);
    EXPECT_EQ(r.console, "### Current recess: display\n");
    EXPECT_EQ(r.lines, (std::vector<std::string>{
                           "G0 X41 Y57 ; Move to the recess position",
                           "G1 Z-1.5 F300 ; Start cutting down to -1.5mm",
                           "G1 X41 Y57 F300 ; Recess forward pass",
                           "G1 X59 Y57 F300 ; Recess forward pass end",
                           "G1 X59 Y59 F300 ; Recess backward pass start",
                           "G1 X41 Y59 F300 ; Recess backward pass end",
                           "G1 X41 Y61 F300 ; Recess forward pass",
                           "G1 X59 Y61 F300 ; Recess forward pass end",
                           "G1 X59 Y63 F300 ; Recess backward pass start",
                           "G1 X41 Y63 F300 ; Recess backward pass end",
                           "G0 Z5 ; Lift to safe height after cutting",
                       }));

    const Recess turned = recesses(R"({"display": {"location_x": 5, "location_y": 4, "visible_width": 2,
                                                   "visible_height": 0.8, "rotation": 90}})",
                                   2, 1.5f, 1.5f);
    ASSERT_EQ(turned.lines.size(), 11u);
    EXPECT_EQ(std::vector<std::string>(turned.lines.begin(), turned.lines.begin() + 4),
              (std::vector<std::string>{
                  "G0 X47 Y69 ; Move to the recess position",
                  "G1 Z-1.5 F300 ; Start cutting down to -1.5mm",
                  "G1 X47 Y69 F300 ; Recess forward pass",
                  "G1 X47 Y51 F300 ; Recess forward pass end",
              }));
    EXPECT_EQ(turned.lines[9], "G1 X53 Y69 F300 ; Recess backward pass end");
}

TEST(VisibleRecesses, RowsAlternateByRowNumberForAnyBit) {
    // b = 3.175: the offsets are not exact, the directions still alternate.
    const Recess r = recesses(
        R"({"lcd": {"location_x": 5, "location_y": 5, "visible_width": 3, "visible_height": 2.5}})", 3.175f, 1,
        1);
    int forward = 0, backward = 0;
    for (const auto& line : r.lines) {
        forward += line.find("forward pass end") != std::string::npos;
        backward += line.find("backward pass end") != std::string::npos;
    }
    // V = 25 mm, rows at 0, 3.175, ... below 25: eight of them.
    EXPECT_EQ(forward, 4);
    EXPECT_EQ(backward, 4);
}

TEST(VisibleRecesses, ShapeChoiceAndLevels) {
    // Circle wins over a rectangle; width without height gives nothing; a
    // start radius of exactly 0 cuts one circle at the centre, a negative
    // one only prints the console line.
    const Recess r = recesses(R"({
        "a": {"location_x": 5, "location_y": 5, "visible_diameter": 0.3, "visible_width": 2, "visible_height": 2},
        "b": {"location_x": 5, "location_y": 5, "visible_width": 2},
        "c": {"location_x": 5, "location_y": 5, "visible_diameter": 0.2}})",
                              3, 0.7f, 3);
    EXPECT_EQ(r.console, "### Current circular recess: a\n### Current circular recess: c\n");
    ASSERT_EQ(r.lines.size(), 4u * 4);  // four levels: -0.70, -1.40, -2.10, -2.80
    EXPECT_EQ(r.lines[0], "G0 X50.00 Y50.00 ; Move to the start of the circle (right side)");
    EXPECT_EQ(r.lines[2], "G2 X50.00 Y50.00 I-0.00 J0 F300.00 ; Cut a circle");
    EXPECT_EQ(r.lines[13], "G1 Z-2.80 F300.00 ; Start cutting down to -2.80mm");

    // A recess shallower than one pass: the console line, no lines at all.
    const Recess shallow = recesses(
        R"({"d": {"location_x": 5, "location_y": 5, "visible_width": 2, "visible_height": 2}})", 3, 1.5f, 1);
    EXPECT_EQ(shallow.console, "### Current recess: d\n");
    EXPECT_TRUE(shallow.lines.empty());
}

TEST(VisibleRecesses, RotationIsReadForEveryShape) {
    EXPECT_THROW(recesses(R"({"a": {"location_x": 5, "location_y": 5, "visible_diameter": 1, "rotation": null}})",
                          3, 1, 1),
                 RunError);
}

}  // namespace
