// Face kinds and face sizes.
#pragma once

#include <string_view>

namespace veskaro {

enum class FaceKind { Horizontal, End, Side };

// "_Main", "_Top" or "_Bottom" anywhere in the name make a horizontal face;
// otherwise "_Back" or "_Front" an end face; any other name a side face.
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
