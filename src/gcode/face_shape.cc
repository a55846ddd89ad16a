#include "gcode/face_shape.h"

namespace veskaro {

namespace {

bool holds_marker(std::string_view name, MarkerRole role) {
    for (const FaceMarker& marker : kFaceMarkers) {
        if (marker.role == role && name.find(marker.text) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

bool takes_top_screws(std::string_view face_name) { return holds_marker(face_name, MarkerRole::top_screws); }

bool takes_bottom_screws(std::string_view face_name) { return holds_marker(face_name, MarkerRole::bottom_screws); }

FaceKind face_kind(std::string_view face_name) {
    if (takes_top_screws(face_name) || takes_bottom_screws(face_name)) return FaceKind::Horizontal;
    if (holds_marker(face_name, MarkerRole::end_face)) return FaceKind::End;
    return FaceKind::Side;
}

FaceSize face_size(FaceKind kind, float box_width, float box_height, float thickness,
                   float box_height_3d, bool outer_sizing) {
    // With outer sizing the walls eat into the box; without it they add to
    // the panels that close the box's ends and sides.  The sizes are chosen
    // by multiplying with the 0/1 flag, not by a branch: the two agree for
    // every finite size, and for a thickness beyond single precision the
    // product is NaN, which the program's error message then names.
    const float o = outer_sizing ? 1.0f : 0.0f;
    const float t2 = thickness + thickness;
    const float t2o = t2 * o;
    const float added = (1.0f - o) * t2;
    switch (kind) {
        case FaceKind::Horizontal:
            return FaceSize{box_width, box_height};
        case FaceKind::End:
            return FaceSize{box_width - t2o, added + (box_height_3d - t2o)};
        case FaceKind::Side:
            break;
    }
    return FaceSize{added + (box_height_3d - t2o), added + box_height};
}

}  // namespace veskaro
