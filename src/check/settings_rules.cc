#include "check/settings_rules.h"

#include <cmath>
#include <string>

#include "base/decimal_text.h"
#include "check/screw_rules.h"

namespace veskaro::check {

namespace {

void check_bit(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    const float bit = settings.bit_diameter;
    if (bit < 0) {
        findings.warn("bit-diameter",
                      fixed_decimals(bit, 2) + " mm is below 0: the bit compensation goes the wrong way");
    } else if (shows_as_zero(bit) && facts.depths.through) {
        findings.note("bit-diameter", fixed_decimals(bit, 2) +
                                          " mm: nothing is compensated for the bit: openings come out "
                                          "wider, and panels smaller, by the real bit's diameter");
    }
}

// Passes stop at the deepest step that is not below the thickness; what
// is left under it holds the part in the sheet.
void check_through_depth(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    if (!facts.depths.through) return;
    const PassDepths& passes = *facts.depths.through;
    const float thickness = settings.material_thickness;
    if (!(thickness > 0)) {
        findings.warn("material-thickness",
                      fixed_decimals(thickness, 2) + " mm is not above 0: nothing is cut through");
    } else if (passes.count == 0) {
        findings.warn("cut-depth-per-pass", fixed_decimals(settings.cut_depth_per_pass, 2) + " mm is more than the " +
                                                fixed_decimals(thickness, 2) +
                                                " mm material: no through-cut gets a pass");
    } else if (noticeable(double{thickness} + passes.deepest)) {
        findings.warn("cut-depth-per-pass", "the deepest pass is at " + fixed_decimals(passes.deepest, 2) +
                                                " mm in the " + fixed_decimals(thickness, 2) + " mm material: " +
                                                fixed_decimals(double{thickness} + passes.deepest, 2) +
                                                " mm is left uncut");
    }
}

void check_box_height(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    if (facts.end_or_side_face && !(settings.box_height_3d > 0)) {
        findings.warn("box-height-3d", fixed_decimals(settings.box_height_3d, 2) +
                                           " mm is not above 0: the end and side faces are sized from it");
    }
}

}  // namespace

void check_pocket_depth(const char* option, const char* pocket, float depth, const std::optional<PassDepths>& levels,
                        float step, Findings& findings) {
    if (!levels) return;
    const std::string none = std::string(": no ") + pocket + " is cut";
    if (!(depth > 0)) {
        findings.warn(option, fixed_decimals(depth, 2) + " mm is not above 0" + none);
    } else if (levels->count == 0) {
        findings.warn(option, fixed_decimals(depth, 2) + " mm is less than the " + fixed_decimals(step, 2) +
                                  " mm depth per pass" + none);
    } else if (noticeable(double{depth} + levels->deepest)) {
        findings.note(option, "the deepest level is at " + fixed_decimals(levels->deepest, 2) + " mm: the " + pocket +
                                  "es are " + fixed_decimals(double{depth} + levels->deepest, 2) +
                                  " mm shallower than " + fixed_decimals(depth, 2) + " mm");
    }
}

void add_face_facts(RunFacts& facts, const FaceCheck& face) {
    facts.end_or_side_face = facts.end_or_side_face || face.kind != FaceKind::Horizontal;
    facts.bottom_block = facts.bottom_block || face.sections.bottom_screws;
    if (!facts.screws && face.screws) facts.screws = face.screws;
}

void check_settings(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    check_bit(settings, facts, findings);
    check_through_depth(settings, facts, findings);
    check_box_height(settings, facts, findings);
    check_pocket_depth("recess-depth", "recess", settings.recess_depth, facts.depths.recess,
                       settings.cut_depth_per_pass, findings);
    check_screws(settings, facts, findings);
}

}  // namespace veskaro::check
