#include "check/screw_rules.h"

#include <cmath>
#include <string>

#include "base/decimal_text.h"
#include "check/bit_rules.h"
#include "check/recess_rules.h"
#include "gcode/screw_layout.h"

namespace veskaro::check {

namespace {

double head_across(const Arguments& settings, const ScrewCheck& screws);

// Head recesses through the sheet and wider than the drilled holes make the
// holes their size (check_head_depth says it): the drilled width is not what
// comes out.
bool heads_through_and_wider(const Arguments& settings, const RunFacts& facts) {
    const ScrewCheck& screws = *facts.screws;
    return screws.heads_cut && through_the_sheet(*facts.depths.head, settings.material_thickness) &&
           head_across(settings, screws) >= cut_width(screws.layout.hole_radius, settings.bit_diameter);
}

void check_holes(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    const ScrewCheck& screws = *facts.screws;
    const char* option = top_screw_size_applies(settings) ? "screw-size-top" : "screw-size-bottom";
    const float radius = screws.layout.hole_radius;
    const std::string holes = "the " + fixed_decimals(screws.layout.screw, 2) + " mm screw holes are ";
    if (screws.holes_cut && shows_as_zero(radius)) {
        findings.note(option, holes + "as wide as the bit: the bit only plunges");
    } else if (screws.holes_cut && radius < 0 && !heads_through_and_wider(settings, facts)) {
        const double across = 2.0 * std::fabs(radius) + settings.bit_diameter;
        findings.warn(option,
                      holes + "narrower than the bit: they come out " + fixed_decimals(across, 2) + " mm across");
    }
    // Every screw block drills the top size when there is one.
    const float top = settings.screw_size_top;
    const float bottom = settings.screw_size_bottom;
    if (facts.bottom_block && top_screw_size_applies(settings) && top != bottom) {
        findings.warn("screw-size-bottom", "the \"_Bottom\" faces are drilled with the top size, " +
                                               fixed_decimals(top, 2) + " mm, not " + fixed_decimals(bottom, 2) +
                                               " mm");
    }
}

// The outermost ring clears out to half a bit beyond its radius.  (The
// innermost ring lies less than a bit from the centre, so what it leaves
// there is always within the hole.)
double head_across(const Arguments& settings, const ScrewCheck& screws) {
    return 2.0 * screws.layout.first_ring + settings.bit_diameter;
}

void check_head_width(const Arguments& settings, const ScrewCheck& screws, Findings& findings) {
    const double head = settings.screw_head_diameter;
    const double across = head_across(settings, screws);
    if (noticeable(std::fabs(head - across))) {
        findings.note("screw-head-diameter", "the head recesses come out " + fixed_decimals(across, 2) +
                                                 " mm across for the " + fixed_decimals(head, 2) + " mm heads");
    }
}

// Head recesses as deep as the sheet fall out: the holes come out as wide
// as the head recesses, where those are the wider.
void check_head_depth(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    const ScrewCheck& screws = *facts.screws;
    if (!screws.heads_cut || !through_the_sheet(*facts.depths.head, settings.material_thickness)) return;
    const double across = std::fmax(head_across(settings, screws), cut_width(screws.layout.hole_radius,
                                                                               settings.bit_diameter));
    findings.warn("screw-head-height",
                  "the head recesses are cut down to " + fixed_decimals(facts.depths.head->deepest, 2) +
                      " mm, through the " + fixed_decimals(settings.material_thickness, 2) +
                      " mm material: the screw holes come out " + fixed_decimals(across, 2) + " mm across");
}

void check_heads(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    const ScrewCheck& screws = *facts.screws;
    const float head = settings.screw_head_diameter;
    if (!(head > 0)) return;
    if (head < screws.layout.screw) {
        findings.warn("screw-head-diameter", "the " + fixed_decimals(head, 2) + " mm heads are smaller than the " +
                                                 fixed_decimals(screws.layout.screw, 2) + " mm screws");
    }
    if (!(screws.layout.head > 0) || !(screws.layout.first_ring >= 0)) {
        findings.warn("screw-head-diameter", "the " + fixed_decimals(head, 2) +
                                                 " mm heads are too small for the bit: no head "
                                                 "recess is cut");
        return;
    }
    if (screws.heads_cut) check_head_width(settings, screws, findings);
    check_pocket_depth("screw-head-height", "head recess", settings.screw_head_height, facts.depths.head,
                       settings.cut_depth_per_pass, findings);
    check_head_depth(settings, facts, findings);
}

}  // namespace

void check_screws(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    if (!facts.screws) return;
    check_holes(settings, facts, findings);
    check_heads(settings, facts, findings);
}

}  // namespace veskaro::check
