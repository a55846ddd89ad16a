// Points and boxes of the machine frame and the turn of a point about a
// centre.
#pragma once

namespace veskaro {

// A point of the machine frame in millimetres, X first.
struct Point {
    float x;
    float y;
};

// An axis-parallel box in machine millimetres.
struct Box {
    float left;
    float bottom;
    float right;
    float top;
};

// The smallest box holding the points, widened by `margin` on every side.
Box box_around(const Point* points, int count, float margin);

// The smallest box holding both.
Box joined(const Box& a, const Box& b);

// Turns (x, y) about (centre_x, centre_y) by `angle` degrees.  A positive
// angle turns clockwise when X points right and Y points up.  Every step is
// single precision; only the degree-to-radian conversion is done in double.
Point rotate_point(float centre_x, float centre_y, float angle, float x, float y);

}  // namespace veskaro
