// Face kinds and face sizes.
#pragma once

#include <string_view>

namespace veskaro {

enum class FaceKind { Horizontal, End, Side };

// What a marker in a face's name makes of the face.
enum class MarkerRole { top_screws, bottom_screws, end_face };

struct FaceMarker {
    std::string_view text;
    MarkerRole role;
};

// The markers a face name is searched for, case-sensitively and anywhere in
// the name.  "_Main" and "_Top" make a horizontal face with the top block
// of corner screws, "_Bottom" one with the bottom block; otherwise "_Back"
// or "_Front" make an end face; any other name is a side face.
inline constexpr FaceMarker kFaceMarkers[] = {
    {"_Main", MarkerRole::top_screws},    {"_Top", MarkerRole::top_screws},  {"_Bottom", MarkerRole::bottom_screws},
    {"_Back", MarkerRole::end_face},      {"_Front", MarkerRole::end_face},
};

FaceKind face_kind(std::string_view face_name);

// True when the face gets the top block of corner screws ("_Main" or "_Top").
bool takes_top_screws(std::string_view face_name);
// True when the face gets the bottom block of corner screws ("_Bottom").
bool takes_bottom_screws(std::string_view face_name);

struct FaceSize {
    float width;
    float height;
};

// The size in millimetres of a face of the given kind, from the box size
// (millimetres), the material thickness, the box height in 3D and whether
// the box sizes are outside sizes.
FaceSize face_size(FaceKind kind, float box_width, float box_height, float thickness,
                   float box_height_3d, bool outer_sizing);

}  // namespace veskaro
