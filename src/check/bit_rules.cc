#include "check/bit_rules.h"

#include <cmath>
#include <string>

#include "base/decimal_text.h"

namespace veskaro::check {

namespace {

void narrower(const std::string& where, const char* what, float half, float size, const char* along, float bit,
              Findings& findings) {
    if (!(half < 0) || shows_as_zero(half)) return;
    findings.warn(where, std::string("the ") + what + " is " + fixed_decimals(size, 2) + " mm " + along +
                             ", narrower than the bit: it comes out " + fixed_decimals(cut_width(half, bit), 2) +
                             " mm " + along);
}

void check_opening(const std::string& where, const Opening& opening, float bit, Findings& findings) {
    switch (opening.kind) {
        case ShapeKind::circle:
            if (shows_as_zero(opening.radius)) {
                findings.note(where, "the opening is as wide as the bit: the bit only plunges (an arc of radius 0)");
            }
            narrower(where, "opening", opening.radius, opening.diameter, "across", bit, findings);
            return;
        case ShapeKind::rectangle:
            narrower(where, "opening", opening.half_width, opening.width, "wide", bit, findings);
            narrower(where, "opening", opening.half_height, opening.height, "high", bit, findings);
            if (noticeable(bit)) {
                findings.note(where, "the opening's inner corners are rounded to the bit's radius, " +
                                         fixed_decimals(bit / 2.0, 2) + " mm");
            }
            return;
        case ShapeKind::none:
            return;
    }
}

}  // namespace

double cut_width(float half, float bit) { return 2.0 * std::fabs(half) + bit; }

void check_bit_sizes(const FaceCheck& face, const ComponentCheck& component, float bit_diameter, Findings& findings) {
    if (!opening_cut(component)) return;
    check_opening(component_where(face.name, component.name), component.opening->opening, bit_diameter, findings);
}

}  // namespace veskaro::check
