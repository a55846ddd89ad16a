#include "check/component_rules.h"

#include <cmath>
#include <string>

#include "check/key_rules.h"

namespace veskaro::check {

namespace {

struct ShapeKeys {
    std::string diameter;
    std::string width;
    std::string height;
    const char* shape;  // "opening" or "recess"
};

// A diameter makes a circle; without one, a width and a height above 0 make
// a rectangle; one of them alone makes nothing.  The section that reads
// these keys has run, so they hold numbers.
void check_shape_keys(const Json& component, const Where& where, const ShapeKeys& keys, Findings& findings) {
    const std::string place = component_where(where.face, where.component);
    const bool round = static_cast<float>(read_optional(component, keys.diameter.c_str(), where)) > 0;
    const bool wide = static_cast<float>(read_optional(component, keys.width.c_str(), where)) > 0;
    const bool high = static_cast<float>(read_optional(component, keys.height.c_str(), where)) > 0;
    if (round && (wide || high)) {
        const std::string unused = wide && high ? in_quotes(keys.width) + " and " + in_quotes(keys.height) + " are"
                                                : in_quotes(wide ? keys.width : keys.height) + " is";
        findings.note(place, in_quotes(keys.diameter) + " is given, so " + unused + " not used");
    } else if (!round && wide != high) {
        findings.warn(place, in_quotes(wide ? keys.width : keys.height) + " is given without a " +
                                 in_quotes(wide ? keys.height : keys.width) + " above 0: no " + keys.shape + " is cut");
    }
}

std::string size_text(bool circle, float width, float height) {
    return circle ? mm(width) + " mm across" : mm(width) + " x " + mm(height) + " mm";
}

// Compared as the project gives them: both shapes share the centre and the
// rotation.
void check_recess_holds_opening(const std::string& where, const Recess& recess, const Opening& opening,
                                Findings& findings) {
    const bool round_recess = recess.kind == ShapeKind::circle;
    const bool round_opening = opening.kind == ShapeKind::circle;
    const float recess_width = round_recess ? recess.diameter : 10.0f * recess.width;
    const float recess_height = round_recess ? recess.diameter : 10.0f * recess.height;
    const float opening_width = round_opening ? opening.diameter : opening.width;
    const float opening_height = round_opening ? opening.diameter : opening.height;
    double excess = std::fmax(double{opening_width} - recess_width, double{opening_height} - recess_height);
    if (round_recess && !round_opening) excess = std::hypot(double{opening_width}, opening_height) - recess_width;
    if (!noticeable(excess)) return;
    findings.warn(where, "the recess (" + size_text(round_recess, recess_width, recess_height) +
                             ") is smaller than its opening (" +
                             size_text(round_opening, opening_width, opening_height) + ")");
}

}  // namespace

void check_component(const FaceCheck& face, const ComponentCheck& component, Findings& findings) {
    const std::string where = component_where(face.name, component.name);
    check_keys(*component.value, kComponentKeys, where, "", findings);
    const Where place{face.name, component.name, true};
    if (face.sections.recesses) {
        check_shape_keys(*component.value, place, {"visible_diameter", "visible_width", "visible_height", "recess"},
                         findings);
    }
    if (face.sections.openings) {
        check_shape_keys(*component.value, place, {"drill_diameter", "drill_width", "drill_height", "opening"},
                         findings);
    }
    if (recess_cut(component) && opening_cut(component)) {
        check_recess_holds_opening(where, component.recess->recess, component.opening->opening, findings);
    }
}

}  // namespace veskaro::check
