#include "check/project_rules.h"

#include <string>

#include "check/key_rules.h"
#include "gcode/component_shapes.h"
#include "gcode/face_shape.h"
#include "project/face_names.h"

namespace veskaro::check {

namespace {

const char* const kProject = "project";

// The words of the face markers, and the two sides that have none.
bool has_face_word(const std::string& name) {
    const std::string text = lower_case(name);
    for (const FaceMarker& marker : kFaceMarkers) {
        if (text.find(lower_case(marker.text.substr(1))) != std::string::npos) return true;
    }
    for (const char* word : {"left", "right"}) {
        if (text.find(word) != std::string::npos) return true;
    }
    return false;
}

// An object or array with a member that is an object holding a component key.
bool holds_components(const Json& value) {
    if (!value.is_object() && !value.is_array()) return false;
    for (const Json& member : value) {
        if (!member.is_object()) continue;
        for (const char* key : kComponentKeys) {
            if (member.contains(key)) return true;
        }
    }
    return false;
}

bool looks_like_face(const std::string& name, const Json& value) {
    const bool face_value = value.is_object() || value.is_array() || value.is_null();
    return face_value && (has_face_word(name) || holds_components(value));
}

void check_member(const Json& project, const std::string& name, const Json& value, Findings& findings) {
    if (name == "Generic") return;
    if (lower_case(name) == "generic") {
        if (!project.contains("Generic")) {
            findings.warn(kProject, in_quotes(name) +
                                        " is not read: the box size is read from \"Generic\" alone, and member "
                                        "names are case-sensitive");
        }
        return;
    }
    if (looks_like_face(name, value)) {
        findings.warn(kProject, in_quotes(name) + " is not a face and is not read: a face's name contains \"_\"");
    }
}

}  // namespace

void check_project_members(const Json& project, Findings& findings) {
    bool any_face = false;
    if (project.is_object()) {
        if (project.contains("Generic")) {
            check_keys(project.at("Generic"), kBoxSizeKeys, kProject, " in \"Generic\"", findings);
        }
        for (const auto& member : project.items()) {
            const std::string& name = member.key();
            if (is_face_name(name)) {
                any_face = true;
            } else {
                check_member(project, name, member.value(), findings);
            }
        }
    }
    if (!any_face) findings.warn(kProject, "no member's name contains \"_\": there is no face to cut");
}

}  // namespace veskaro::check
