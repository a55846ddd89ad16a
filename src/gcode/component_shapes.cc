#include "gcode/component_shapes.h"

namespace veskaro {

namespace {

void turn_corners(Opening& opening) {
    const float cx = opening.centre.x;
    const float cy = opening.centre.y;
    const float a = opening.half_width;
    const float b = opening.half_height;
    const Point before[4] = {{cx - a, cy - b}, {cx + a, cy - b}, {cx + a, cy + b}, {cx - a, cy + b}};
    for (int n = 0; n < 4; ++n) {
        opening.corners[n] = rotate_point(cx, cy, opening.rotation, before[n].x, before[n].y);
    }
}

}  // namespace

// Project Y runs down from the face's top edge; machine Y up from its bottom.
Point component_centre(const Json& component, float face_height, const Where& where, float unit) {
    const float x = read_location(component, "location_x", where) * unit;
    const float y = face_height - unit * read_location(component, "location_y", where);
    return Point{x, y};
}

Opening read_opening(const Json& component, float face_height, float bit_diameter, const Where& where) {
    Opening opening;
    opening.centre = component_centre(component, face_height, where);
    const float diameter = static_cast<float>(read_optional(component, "drill_diameter", where));
    const float width = static_cast<float>(read_optional(component, "drill_width", where));
    const float height = static_cast<float>(read_optional(component, "drill_height", where));
    const float bit_radius = bit_diameter / 2.0f;
    if (diameter > 0) {
        opening.kind = ShapeKind::circle;
        opening.diameter = 10.0f * diameter;
        opening.radius = opening.diameter / 2.0f - bit_radius;
    } else if (width > 0 && height > 0) {
        opening.kind = ShapeKind::rectangle;
        opening.rotation = static_cast<float>(read_optional(component, "rotation", where));
        opening.width = 10.0f * width;
        opening.height = 10.0f * height;
        opening.half_width = opening.width / 2.0f - bit_radius;
        opening.half_height = opening.height / 2.0f - bit_radius;
        turn_corners(opening);
    }
    return opening;
}

Recess read_recess(const Json& component, float face_height, const Where& where) {
    Recess recess;
    recess.centre = component_centre(component, face_height, where);
    // The diameter is scaled to millimetres in double precision before it is
    // held in single precision; the width and height stay centimetres.
    recess.diameter = static_cast<float>(10.0 * read_optional(component, "visible_diameter", where));
    recess.width = static_cast<float>(read_optional(component, "visible_width", where));
    recess.height = static_cast<float>(read_optional(component, "visible_height", where));
    recess.rotation = static_cast<float>(read_optional(component, "rotation", where));
    if (recess.diameter > 0) {
        recess.kind = ShapeKind::circle;
    } else if (recess.width > 0 && recess.height > 0) {
        recess.kind = ShapeKind::rectangle;
    }
    return recess;
}

}  // namespace veskaro
