// What a face's program cuts, operation by operation, as its sections report
// it to the observer they write to: each visible recess, opening, screw hole,
// screw-head recess and the outline, with its shape, its component, its
// levels or passes and the extent of what the bit clears.
//
// The program text writer (ProgramLines) takes no notice of the reports.
// FaceCuts keeps them and drops the text, refusing what the writer refuses
// (a number that is not finite, a program too long) in the same words, so
// that the sections run as they do for the program and their own loops and
// reads refuse what they refuse.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "gcode/component_shapes.h"
#include "gcode/face_shape.h"
#include "gcode/geometry.h"
#include "gcode/pass_loop.h"
#include "gcode/precision_limits.h"
#include "gcode/program_lines.h"
#include "gcode/screw_layout.h"

namespace veskaro {

enum class CutKind { recess, opening, screw_hole, head_recess, outline };

struct Cut {
    CutKind kind = CutKind::outline;
    // A recess's or opening's component: its place among the members of the
    // face object, in the order the sections visit them.
    std::size_t component = 0;
    Recess recess;        // a recess's shape, as read
    Opening opening;      // an opening's shape, as read
    ScrewLayout layout;   // a screw hole's or head recess's layout
    int corner = 0;       // and which of its corners
    // The levels of a pocket or the passes of a through-cut.  Empty where the
    // section does not step them: a circle too narrow for the bit.
    std::optional<PassDepths> depths;
    // A pocket of rings: the outermost tool-centre radius, and the rings of
    // a level.  A pocket of rows: the rows of a level.
    float first_ring = 0;
    RingSteps rings;
    RowSteps rows;
    // What the bit clears: the tool path's extent widened by half the bit.
    // Meaningful when the cut takes material.
    Box extent{};
};

// True when the cut has a level or pass: it takes material.
inline bool takes_material(const Cut& cut) { return cut.depths && cut.depths->count > 0; }

// The reports of the sections, built once they have cut.  `levels` and
// `passes` are what the depth loop stepped; `rings` and `rows` those of a
// pocket's last level.
Cut ring_recess_cut(std::size_t component, const Recess& recess, float bit_diameter,
                    const std::optional<PassDepths>& levels, const RingSteps& rings);
Cut row_recess_cut(std::size_t component, const Recess& recess, float bit_diameter, const PassDepths& levels,
                   const RowSteps& rows);
Cut opening_cut(std::size_t component, const Opening& opening, float bit_diameter, const PassDepths& passes);
Cut screw_hole_cut(const ScrewLayout& layout, int corner, float bit_diameter, const PassDepths& passes);
Cut head_recess_cut(const ScrewLayout& layout, int corner, float bit_diameter,
                    const std::optional<PassDepths>& levels, const RingSteps& rings);
Cut outline_cut(FaceSize size, float bit_diameter, const PassDepths& passes);

// The observer that keeps the cuts of one face and drops its text.
class FaceCuts {
public:
    explicit FaceCuts(std::uint64_t max_lines = ProgramLines::kMaxLines) : max_lines_(max_lines) {}
    FaceCuts(const FaceCuts&) = delete;
    FaceCuts& operator=(const FaceCuts&) = delete;

    FaceCuts& text(std::string_view) { return *this; }
    FaceCuts& fixed(float value) {
        if (!std::isfinite(value)) not_finite(where, value);
        return *this;
    }
    FaceCuts& general(float value) { return fixed(value); }
    void end_line() {
        if (++lines_ > max_lines_) too_many_lines(where, max_lines_);
    }
    // A stream without a buffer: the progress lines are dropped.
    std::ostream& progress() { return dropped_; }
    void report(const Cut& cut) { cuts_.push_back(cut); }

    // In the order the sections cut them.
    const std::vector<Cut>& cuts() const { return cuts_; }

    Where where;

private:
    std::vector<Cut> cuts_;
    std::ostream dropped_{nullptr};
    std::uint64_t lines_ = 0;
    std::uint64_t max_lines_;
};

}  // namespace veskaro
