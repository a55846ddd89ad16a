#include "check/collision_rules.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "check/panel_rules.h"

namespace veskaro::check {

namespace {

// An opening (index below the number of components) or a screw corner.
struct Item {
    std::size_t index;
    Region region;
    Box box;
};

std::vector<Item> items_of(const FaceCheck& face, float bit_diameter) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < face.components.size(); ++i) {
        const ComponentCheck& component = face.components[i];
        if (!component.opening_cut) continue;
        const Region region = opening_region(*component.opening, bit_diameter);
        items.push_back({i, region, bounds(region)});
    }
    if (face.screws && face.screws->holes_cut) {
        for (std::size_t corner = 0; corner < 4; ++corner) {
            const Region region = screw_region(*face.screws, face.screws->layout.corners[corner], bit_diameter);
            items.push_back({face.components.size() + corner, region, bounds(region)});
        }
    }
    return items;
}

// Pairs of item indices, the smaller first, of the items that overlap.
std::vector<std::pair<std::size_t, std::size_t>> overlapping(std::vector<Item>& items, std::size_t components) {
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.box.left < b.box.left; });
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t a = 0; a < items.size(); ++a) {
        for (std::size_t b = a + 1; b < items.size() && items[b].box.left < items[a].box.right; ++b) {
            const bool both_screws = items[a].index >= components && items[b].index >= components;
            if (both_screws || !boxes_meet(items[a].box, items[b].box)) continue;
            if (!regions_overlap(items[a].region, items[b].region)) continue;
            pairs.emplace_back(std::min(items[a].index, items[b].index), std::max(items[a].index, items[b].index));
        }
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// The hole when the opening reaches it, else the head recess round it.
std::string screw_met(const FaceCheck& face, const Region& opening, Point corner, float bit_diameter) {
    const float hole = std::fabs(face.screws->layout.hole_radius) + std::fabs(bit_diameter) / 2.0f;
    return screw_name(!regions_overlap(opening, disc(corner, hole)), corner);
}

}  // namespace

void check_collisions(const FaceCheck& face, float bit_diameter, Findings& findings) {
    std::vector<Item> items = items_of(face, bit_diameter);
    const std::size_t components = face.components.size();
    for (const auto& [first, second] : overlapping(items, components)) {
        const ComponentCheck& opening = face.components[first];
        std::string text = "the opening overlaps ";
        if (second < components) {
            text += "the opening of " + in_quotes(face.components[second].name);
        } else {
            const Region region = opening_region(*opening.opening, bit_diameter);
            text += screw_met(face, region, face.screws->layout.corners[second - components], bit_diameter);
        }
        findings.warn(component_where(face.name, opening.name), text);
    }
}

}  // namespace veskaro::check
