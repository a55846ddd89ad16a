#include "check/component_rules.h"

#include <cmath>
#include <string>

#include "base/decimal_text.h"
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

// A shape as the project draws it, in millimetres.
struct DrawnSize {
    bool round = false;
    float width = 0;
    float height = 0;
};

DrawnSize drawn_size(const Recess& recess) {
    switch (recess.kind) {
        case ShapeKind::circle:
            return {true, recess.diameter, recess.diameter};
        case ShapeKind::rectangle:
            return {false, 10.0f * recess.width, 10.0f * recess.height};
        case ShapeKind::none:
            break;
    }
    return {};
}

DrawnSize drawn_size(const Opening& opening) {
    switch (opening.kind) {
        case ShapeKind::circle:
            return {true, opening.diameter, opening.diameter};
        case ShapeKind::rectangle:
            return {false, opening.width, opening.height};
        case ShapeKind::none:
            break;
    }
    return {};
}

std::string size_text(const DrawnSize& size) {
    return size.round ? fixed_decimals(size.width, 2) + " mm across"
                      : fixed_decimals(size.width, 2) + " x " + fixed_decimals(size.height, 2) + " mm";
}

// Compared as the project gives them: both shapes share the centre and the
// rotation.
void check_recess_holds_opening(const std::string& where, const Recess& recess, const Opening& opening,
                                Findings& findings) {
    const DrawnSize outer = drawn_size(recess);
    const DrawnSize inner = drawn_size(opening);
    double excess = std::fmax(double{inner.width} - outer.width, double{inner.height} - outer.height);
    if (outer.round && !inner.round) excess = std::hypot(double{inner.width}, inner.height) - outer.width;
    if (!noticeable(excess)) return;
    findings.warn(where, "the recess (" + size_text(outer) + ") is smaller than its opening (" + size_text(inner) +
                             ")");
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
