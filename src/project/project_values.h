// Reads of the project document: the box size in "Generic", the face
// objects and the values of the components, each with a message that names
// the face, the component and the key when the data is not what it must be.
#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

#include "base/run_error.h"

namespace veskaro {

using Json = nlohmann::json;

// Box size in millimetres: ten times the centimetres of "Generic".
struct BoxSize {
    float width;
    float height;
};

// The keys of "Generic" that are read: the box's width and height.
inline constexpr const char* kBoxSizeKeys[2] = {"width", "height"};

// Reads "width" and "height" of the project's "Generic" member, which the
// caller has found present, and multiplies each by 10 in single precision.
BoxSize read_box_size(const Json& project, const Where& where);

// The face object named `face`.  An object is a list of components, null an
// empty face and an array a list of components named by their index; any
// other value is refused.
const Json& face_object(const Json& project, const Where& where);

// Refuses component names that would break a console line or a G-code comment.
void check_component_name(const Where& where);

// "location_x" or "location_y": required, a number, read in single precision.
float read_location(const Json& component, const char* key, const Where& where);

// A size or the rotation: 0 when absent, otherwise a number, read in double
// precision.
double read_optional(const Json& component, const char* key, const Where& where);

}  // namespace veskaro
