#include "project/project_values.h"

#include <cmath>
#include <string>

namespace veskaro {

namespace {

std::string quoted(const char* key) { return std::string("\"") + key + "\""; }

void require_object(const Json& component, const Where& where) {
    if (!component.is_object()) {
        fail(where, std::string("must be an object, not ") + component.type_name());
    }
}

// The value of `key`, checked to be a number that single precision holds.
const Json& number_at(const Json& object, const char* key, const Where& where,
                      const std::string& label) {
    const Json& value = object.at(key);
    if (!value.is_number()) {
        fail(where, label + " must be a number, not " + value.type_name());
    }
    const double number = value.get<double>();
    if (!std::isfinite(static_cast<float>(number))) {
        fail(where, label + " is out of range");
    }
    return value;
}

}  // namespace

BoxSize read_box_size(const Json& project, const Where& where) {
    const Json& generic = project.at("Generic");
    if (!generic.is_object()) {
        fail(where, std::string("'Generic' must be an object, not ") + generic.type_name());
    }
    float size[2];
    for (int i = 0; i < 2; ++i) {
        const char* key = kBoxSizeKeys[i];
        const std::string label = quoted(key) + " of 'Generic'";
        if (!generic.contains(key)) fail(where, label + " is missing");
        size[i] = number_at(generic, key, where, label).get<float>() * 10.0f;
    }
    return BoxSize{size[0], size[1]};
}

const Json& face_object(const Json& project, const Where& where) {
    const Json& face = project.at(std::string(where.face));
    if (!face.is_object() && !face.is_null() && !face.is_array()) {
        fail(where, std::string("must be an object of components, not ") + face.type_name());
    }
    return face;
}

void check_component_name(const Where& where) {
    if (has_control_character(where.component)) {
        fail(where, "the component name contains a control character");
    }
}

float read_location(const Json& component, const char* key, const Where& where) {
    require_object(component, where);
    if (!component.contains(key)) fail(where, quoted(key) + " is missing");
    return number_at(component, key, where, quoted(key)).get<float>();
}

double read_optional(const Json& component, const char* key, const Where& where) {
    require_object(component, where);
    if (!component.contains(key)) return 0.0;
    return number_at(component, key, where, quoted(key)).get<double>();
}

}  // namespace veskaro
