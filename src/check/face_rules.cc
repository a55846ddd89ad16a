#include "check/face_rules.h"

#include <optional>
#include <string>

#include "base/decimal_text.h"
#include "check/key_rules.h"

namespace veskaro::check {

namespace {

const char* kind_name(FaceKind kind) {
    switch (kind) {
        case FaceKind::Horizontal:
            return "a horizontal face";
        case FaceKind::End:
            return "an end face";
        case FaceKind::Side:
            break;
    }
    return "a side face";
}

struct MendedName {
    std::string found;   // the first marker written in another case, as written
    std::string marker;  // and as the generator looks for it
    std::string name;    // the name with every such marker mended
};

std::optional<MendedName> mend_markers(const std::string& name) {
    const std::string lower = lower_case(name);
    std::optional<MendedName> mended;
    for (const FaceMarker& face_marker : kFaceMarkers) {
        const std::string marker(face_marker.text);
        const std::string wanted = lower_case(marker);
        for (std::size_t at = lower.find(wanted); at != std::string::npos; at = lower.find(wanted, at + 1)) {
            if (name.compare(at, marker.size(), marker) == 0) continue;
            if (!mended) mended = MendedName{name.substr(at, marker.size()), marker, name};
            mended->name.replace(at, marker.size(), marker);
        }
    }
    return mended;
}

// "Box_main" is a side face: the markers are found by their exact case.
void check_markers(const FaceCheck& face, Findings& findings) {
    const std::optional<MendedName> mended = mend_markers(face.name);
    if (!mended || face_kind(mended->name) == face.kind) return;
    findings.warn(face_where(face.name),
                  "the name holds " + in_quotes(mended->found) + ", but face markers are case-sensitive (" +
                      in_quotes(mended->marker) + "): it is cut as " + kind_name(face.kind) + ", " +
                      fixed_decimals(face.size.width, 2) + " x " + fixed_decimals(face.size.height, 2) + " mm");
}

}  // namespace

void check_face(const FaceCheck& face, const Json& face_value, const Arguments& settings, Findings& findings) {
    const std::string where = face_where(face.name);
    check_markers(face, findings);
    const float width = face.size.width;
    const float height = face.size.height;
    if (!(width > 0) || !(height > 0)) {
        findings.warn(where, "the face is " + fixed_decimals(width, 2) + " x " + fixed_decimals(height, 2) +
                                 " mm: nothing fits on it");
    }
    const bool holds_components = face_value.is_object() || face_value.is_array() || face_value.is_null();
    if (holds_components && face.components.empty()) findings.note(where, "the face has no components");
    // The tool centre runs on the face's edge, so half the bit is cut away
    // on every side.
    const double bit = settings.bit_diameter;
    if (face.outline_cut && !shows_as_zero(bit)) {
        findings.note(where, "the outline runs on the face's edge: the panel comes out " +
                                 fixed_decimals(width - bit, 2) + " x " + fixed_decimals(height - bit, 2) +
                                 " mm, not " + fixed_decimals(width, 2) + " x " + fixed_decimals(height, 2) + " mm");
    }
}

}  // namespace veskaro::check
