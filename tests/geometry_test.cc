#include "gcode/geometry.h"

#include <gtest/gtest.h>

#include "gcode/face_shape.h"
#include "gcode/number_text.h"

namespace {

using veskaro::Point;
using veskaro::rotate_point;

TEST(RotatePoint, UnitTurnsAndTheWorkedTurnAreBitExact) {
    // Positive angles turn clockwise with X right and Y up.
    struct Case {
        float angle, x, y;
    };
    const Case cases[] = {
        {90, -4.37113883e-08f, -1.0f},
        {-90, -4.37113883e-08f, 1.0f},
        {45, 0.707106769f, -0.707106769f},
        {180, -1.0f, 8.74227766e-08f},
    };
    for (const Case& c : cases) {
        const Point p = rotate_point(0, 0, c.angle, 1, 0);
        EXPECT_EQ(p.x, c.x) << c.angle;
        EXPECT_EQ(p.y, c.y) << c.angle;
    }
    const Point turned = rotate_point(50, 50, 30, 60, 55);
    EXPECT_EQ(turned.x, 61.1602554f);
    EXPECT_EQ(turned.y, 49.3301277f);
    EXPECT_EQ(veskaro::general_text(turned.x), "61.1603");
    // Residues print as the stream prints them.
    EXPECT_EQ(veskaro::format_float_as_str(rotate_point(0, 0, 90, 1, 0).x, 2), "-0.00");
    EXPECT_EQ(veskaro::general_text(rotate_point(0, 0, 180, 1, 0).y), "8.74228e-08");
}

TEST(RotatePoint, ZeroTurnKeepsThePoint) {
    const Point p = rotate_point(20, 20, 0, 11, 29);
    EXPECT_EQ(p.x, 11.0f);
    EXPECT_EQ(p.y, 29.0f);
}

TEST(FaceShape, KindsFollowTheMarkersInOrder) {
    using veskaro::FaceKind;
    using veskaro::face_kind;
    EXPECT_EQ(face_kind("Box_Main"), FaceKind::Horizontal);
    EXPECT_EQ(face_kind("Box_Top"), FaceKind::Horizontal);
    EXPECT_EQ(face_kind("Box_Bottom"), FaceKind::Horizontal);
    EXPECT_EQ(face_kind("Box_Back_Top"), FaceKind::Horizontal);
    EXPECT_EQ(face_kind("Box_Front"), FaceKind::End);
    EXPECT_EQ(face_kind("Box_Back"), FaceKind::End);
    EXPECT_EQ(face_kind("Box_Left"), FaceKind::Side);
    EXPECT_EQ(face_kind("Box_main"), FaceKind::Side);  // markers are case-sensitive
    EXPECT_EQ(face_kind("_"), FaceKind::Side);
    EXPECT_TRUE(veskaro::takes_top_screws("Box_Back_Top"));
    EXPECT_FALSE(veskaro::takes_bottom_screws("Box_Back_Top"));
    EXPECT_TRUE(veskaro::takes_top_screws("X_Main_Bottom") && veskaro::takes_bottom_screws("X_Main_Bottom"));
}

TEST(FaceShape, SizesWithAndWithoutOuterSizing) {
    using veskaro::FaceKind;
    using veskaro::face_size;
    struct Case {
        FaceKind kind;
        bool outer;
        float width, height;
    };
    // Box 20 x 10 cm, material 3 mm, box height 50 mm.
    const Case cases[] = {
        {FaceKind::Horizontal, true, 200, 100}, {FaceKind::Horizontal, false, 200, 100},
        {FaceKind::End, true, 194, 44},         {FaceKind::End, false, 200, 56},
        {FaceKind::Side, true, 44, 100},        {FaceKind::Side, false, 56, 106},
    };
    for (const Case& c : cases) {
        const auto size = face_size(c.kind, 200, 100, 3, 50, c.outer);
        EXPECT_EQ(size.width, c.width) << static_cast<int>(c.kind) << c.outer;
        EXPECT_EQ(size.height, c.height) << static_cast<int>(c.kind) << c.outer;
    }
}

}  // namespace
