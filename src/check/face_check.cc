#include "check/face_check.h"

namespace veskaro::check {

namespace {

std::vector<ComponentCheck> components_of(const Json& face) {
    std::vector<ComponentCheck> components;
    if (!face.is_object() && !face.is_array()) return components;
    for (const auto& member : face.items()) components.push_back({member.key(), &member.value(), {}, {}});
    return components;
}

void keep_depths(std::optional<PassDepths>& run, const Cut& cut) {
    if (!run && cut.depths) run = cut.depths;
}

void sort_in(FaceCheck& face, const Cut& cut, RunDepths& depths) {
    switch (cut.kind) {
        case CutKind::recess:
            face.components[cut.component].recess = cut;
            keep_depths(depths.recess, cut);
            return;
        case CutKind::opening:
            face.components[cut.component].opening = cut;
            keep_depths(depths.through, cut);
            return;
        case CutKind::screw_hole:
            if (!face.screws) face.screws = ScrewCheck{cut.layout};
            face.screws->holes_cut = face.screws->holes_cut || takes_material(cut);
            keep_depths(depths.through, cut);
            return;
        case CutKind::head_recess:
            face.screws->heads_cut = face.screws->heads_cut || takes_material(cut);
            keep_depths(depths.head, cut);
            return;
        case CutKind::outline:
            face.outline_cut = takes_material(cut);
            keep_depths(depths.through, cut);
            return;
    }
}

}  // namespace

bool recess_cut(const ComponentCheck& component) { return component.recess && takes_material(*component.recess); }

bool opening_cut(const ComponentCheck& component) { return component.opening && takes_material(*component.opening); }

FaceCheck read_face(const Json& project, const std::string& face_name, const BoxSize& box, const Arguments& settings,
                    RunDepths& depths) {
    FaceCheck face;
    face.name = face_name;
    face.kind = face_kind(face_name);
    face.size = face_size(face_name, box, settings);
    face.sections = face_sections(face_name, settings);
    face.components = components_of(project.at(face_name));
    FaceCuts cuts;
    cuts.where = Where{face_name, {}, false};
    build_face_program(project, face_name, box, settings, cuts);
    for (const Cut& cut : cuts.cuts()) sort_in(face, cut, depths);
    return face;
}

}  // namespace veskaro::check
