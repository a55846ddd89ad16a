// The shapes a face's components ask for, in machine millimetres: where each
// opening and visible recess lies and the path the tool centre takes round
// it.  The sections cut them; the checker measures them.
#pragma once

#include <cstddef>

#include "gcode/geometry.h"
#include "gcode/pass_loop.h"
#include "project/project_values.h"

namespace veskaro {

// Calls visit(index, name, component) for every member of the face object,
// in the byte order of the names, `index` counting them from 0, with
// `where` naming the component meanwhile.  Refuses names that would break a
// console line or a G-code comment.
template <typename Visit>
void for_each_component(const Json& face, Where& where, Visit&& visit) {
    const Where face_where = where;
    std::size_t index = 0;
    for (const auto& member : face.items()) {
        where = face_where.with_component(member.key());
        check_component_name(where);
        visit(index++, member.key(), member.value());
    }
    where = face_where;
}

// Where a component's centre lies in the machine frame: its "location_x"
// and "location_y" are read as centimetres from the face's top left corner,
// Y downward, and `unit` is the millimetres in one of them (1 reads them
// as millimetres).  Refuses a missing location or one that is not a number.
Point component_centre(const Json& component, float face_height, const Where& where, float unit = 10.0f);

// The keys read_opening and read_recess read from a component; the project
// format has no others.
inline constexpr const char* kComponentKeys[] = {
    "location_x",       "location_y",                       // the centre
    "visible_diameter", "visible_width", "visible_height",  // the recess
    "drill_diameter",   "drill_width",   "drill_height",    // the opening
    "rotation",                                             // turns both
};

enum class ShapeKind { none, circle, rectangle };

// The opening cut through the panel for a component.  The tool centre runs
// half a bit diameter inside the opening's edge.
struct Opening {
    ShapeKind kind = ShapeKind::none;
    Point centre{};
    float diameter = 0;   // a circle's, mm
    float width = 0;      // a rectangle's, mm, along X before the turn
    float height = 0;     // a rectangle's, mm, along Y before the turn
    float rotation = 0;   // a rectangle's turn in degrees, clockwise
    float radius = 0;     // a circle's tool-centre radius
    float half_width = 0;   // a rectangle's tool-centre half sizes
    float half_height = 0;
    // A rectangle's tool-centre corners, lower left, lower right, upper
    // right, upper left before the turn, then turned about the centre.
    Point corners[4]{};
};

// Reads "location_x", "location_y", "drill_diameter", "drill_width" and
// "drill_height" in this order, and "rotation" only for a rectangle.  A
// diameter above 0 makes a circle; otherwise a width and a height above 0 a
// rectangle; anything else no opening.
Opening read_opening(const Json& component, float face_height, float bit_diameter, const Where& where);

// The pocket milled for a component's visible part.
struct Recess {
    ShapeKind kind = ShapeKind::none;
    Point centre{};
    float diameter = 0;  // mm
    float width = 0;     // cm, as the project gives it
    float height = 0;    // cm
    float rotation = 0;  // degrees, clockwise; read whatever the shape
};

// Reads "location_x", "location_y", "visible_diameter", "visible_width",
// "visible_height" and "rotation", in this order, for every component.
Recess read_recess(const Json& component, float face_height, const Where& where);

// The outermost circle of a circular recess, on the tool centre; the circles
// step inward by the bit diameter while the radius is not below 0.
inline float first_circle_radius(const Recess& recess, float bit_diameter) {
    return recess.diameter / 2.0f - bit_diameter / 2.0f;
}

// The rows a row loop cut: the left and right ends of the first and of the
// last, and how many.
struct RowSteps {
    Point first[2]{};
    Point last[2]{};
    long count = 0;
};

// Calls row(k, left, right) for the rows of one level of a rectangular
// recess: along the recess's own X, from its lower edge upward, one bit
// diameter apart while the offset is below the full height, the ends turned
// about the centre.  The last row may lie beyond the visible height: the
// rows are not fitted to it.
template <typename Row>
RowSteps for_each_recess_row(const Recess& recess, float bit_diameter, const Where& where, Row&& row) {
    const float bit = bit_diameter;
    const float half_width = 10.0f * recess.width / 2.0f - bit / 2.0f;
    const float half_height = 10.0f * recess.height / 2.0f - bit / 2.0f;
    const float full_height = 10.0f * recess.height;
    const float cx = recess.centre.x;
    const float cy = recess.centre.y;
    RowSteps rows;
    unsigned k = 0;
    for (float offset = 0; full_height > offset; offset = step_up(offset, bit, where), ++k) {
        const float row_y = cy + offset - half_height;
        const Point left = rotate_point(cx, cy, recess.rotation, cx - half_width, row_y);
        const Point right = rotate_point(cx, cy, recess.rotation, cx + half_width, row_y);
        row(k, left, right);
        if (k == 0) {
            rows.first[0] = left;
            rows.first[1] = right;
        }
        rows.last[0] = left;
        rows.last[1] = right;
        ++rows.count;
    }
    return rows;
}

}  // namespace veskaro
