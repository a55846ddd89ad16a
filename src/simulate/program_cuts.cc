#include "simulate/program_cuts.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "toolpath/arc.h"
#include "toolpath/component_names.h"

namespace veskaro::simulate {

using namespace toolpath;

std::vector<ProgramCut> program_cuts(const Program& program, double bit_diameter) {
    const double radius = bit_diameter / 2;
    ComponentOfMoves component_of;
    std::vector<ProgramCut> cuts;
    bool cutting = false;
    for (const Move& move : program.moves) {
        const std::string_view component = component_of.next(move);
        const double low = std::min(move.from.z, move.to.z);
        if (!(low < 0)) {
            cutting = false;
            continue;
        }
        if (!cutting || cuts.back().component != component) {
            cuts.push_back({std::string(component), move.line, {}, {}, 0, {}});
        }
        cutting = move.to.z < 0;
        ProgramCut& cut = cuts.back();
        Extents path;
        path.add(move.from.x, move.from.y);
        path.add(move.to.x, move.to.y);
        if (is_arc(move)) add_arc(path, move);
        cut.path.add(path);
        cut.reach.add(path.min_x - radius, path.min_y - radius);
        cut.reach.add(path.max_x + radius, path.max_y + radius);
        cut.deepest_z = std::min(cut.deepest_z, low);
        if (move.from.z < 0) cut.points.push_back({move.from.x, move.from.y, move.from.z});
        if (move.to.z < 0) cut.points.push_back({move.to.x, move.to.y, move.to.z});
    }
    return cuts;
}

bool one_feature(const ProgramCut& a, const ProgramCut& b) {
    if (!a.component.empty() && !b.component.empty()) return a.component == b.component;
    // Rings, levels and passes of one feature share their middle, to what
    // two decimals of a start and a centre offset keep.
    const auto middle = [](const Extents& e, bool x) { return x ? (e.min_x + e.max_x) / 2 : (e.min_y + e.max_y) / 2; };
    return std::fabs(middle(a.path, true) - middle(b.path, true)) <= 0.025 &&
           std::fabs(middle(a.path, false) - middle(b.path, false)) <= 0.025;
}

std::vector<std::vector<std::size_t>> features_of(const std::vector<ProgramCut>& cuts) {
    std::vector<std::vector<std::size_t>> features;
    for (std::size_t n = 0; n < cuts.size(); ++n) {
        const auto same = std::find_if(features.begin(), features.end(), [&](const std::vector<std::size_t>& f) {
            return cuts[f.front()].component == cuts[n].component && one_feature(cuts[f.front()], cuts[n]);
        });
        if (same != features.end()) {
            same->push_back(n);
        } else {
            features.push_back({n});
        }
    }
    return features;
}

std::string cut_name(const ProgramCut& cut) {
    if (cut.component.empty()) return "the cut at line " + std::to_string(cut.first_line);
    return "\"" + cut.component + "\"";
}

}  // namespace veskaro::simulate
