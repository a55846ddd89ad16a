#include "gcode/face_cuts.h"

namespace veskaro {

namespace {

// The bit clears half its diameter round the tool centre, whichever sign
// the diameter is given with.
float half_bit(float bit_diameter) { return std::fabs(bit_diameter) / 2.0f; }

Box disc_extent(Point centre, float radius) { return box_around(&centre, 1, radius); }

}  // namespace

Cut ring_recess_cut(std::size_t component, const Recess& recess, float bit_diameter,
                    const std::optional<PassDepths>& levels, const RingSteps& rings) {
    Cut cut;
    cut.kind = CutKind::recess;
    cut.component = component;
    cut.recess = recess;
    cut.depths = levels;
    cut.first_ring = first_circle_radius(recess, bit_diameter);
    cut.rings = rings;
    cut.extent = disc_extent(recess.centre, cut.first_ring + half_bit(bit_diameter));
    return cut;
}

Cut row_recess_cut(std::size_t component, const Recess& recess, float bit_diameter, const PassDepths& levels,
                   const RowSteps& rows) {
    Cut cut;
    cut.kind = CutKind::recess;
    cut.component = component;
    cut.recess = recess;
    cut.depths = levels;
    cut.rows = rows;
    // The rows are parallel and evenly spaced: the first and the last hold
    // the others between them.
    const Point ends[4] = {rows.first[0], rows.first[1], rows.last[0], rows.last[1]};
    cut.extent = box_around(ends, 4, half_bit(bit_diameter));
    return cut;
}

Cut opening_cut(std::size_t component, const Opening& opening, float bit_diameter, const PassDepths& passes) {
    Cut cut;
    cut.kind = CutKind::opening;
    cut.component = component;
    cut.opening = opening;
    cut.depths = passes;
    switch (opening.kind) {
        case ShapeKind::circle:
            cut.extent = disc_extent(opening.centre, std::fabs(opening.radius) + half_bit(bit_diameter));
            break;
        case ShapeKind::rectangle:
            cut.extent = box_around(opening.corners, 4, half_bit(bit_diameter));
            break;
        case ShapeKind::none:
            break;
    }
    return cut;
}

Cut screw_hole_cut(const ScrewLayout& layout, int corner, float bit_diameter, const PassDepths& passes) {
    Cut cut;
    cut.kind = CutKind::screw_hole;
    cut.layout = layout;
    cut.corner = corner;
    cut.depths = passes;
    cut.extent = disc_extent(layout.corners[corner], std::fabs(layout.hole_radius) + half_bit(bit_diameter));
    return cut;
}

Cut head_recess_cut(const ScrewLayout& layout, int corner, float bit_diameter,
                    const std::optional<PassDepths>& levels, const RingSteps& rings) {
    Cut cut;
    cut.kind = CutKind::head_recess;
    cut.layout = layout;
    cut.corner = corner;
    cut.depths = levels;
    cut.first_ring = layout.first_ring;
    cut.rings = rings;
    cut.extent = disc_extent(layout.corners[corner], layout.first_ring + half_bit(bit_diameter));
    return cut;
}

Cut outline_cut(FaceSize size, float bit_diameter, const PassDepths& passes) {
    Cut cut;
    cut.kind = CutKind::outline;
    cut.depths = passes;
    const Point corners[2] = {{0, 0}, {size.width, size.height}};
    cut.extent = box_around(corners, 2, half_bit(bit_diameter));
    return cut;
}

}  // namespace veskaro
