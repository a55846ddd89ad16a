#include "check/collision_rules.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/decimal_text.h"
#include "check/cut_region.h"
#include "check/panel_rules.h"

namespace veskaro::check {

namespace {

// An opening (index below the number of components) or a screw corner.
struct Item {
    std::size_t index;
    Region through;             // what falls out of the panel
    std::optional<Region> head;  // a screw's head recess, when wider than the hole
    Box box;                    // round both
};

std::vector<Item> items_of(const FaceCheck& face, float bit_diameter) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < face.components.size(); ++i) {
        const ComponentCheck& component = face.components[i];
        if (!opening_cut(component)) continue;
        items.push_back({i, opening_region(component.opening->opening, bit_diameter), {}, component.opening->extent});
    }
    if (face.screws && face.screws->holes_cut) {
        const ScrewCheck& screws = *face.screws;
        for (std::size_t corner = 0; corner < 4; ++corner) {
            const Point centre = screws.layout.corners[corner];
            Item item{face.components.size() + corner, hole_region(screws, centre, bit_diameter), {}, {}};
            if (head_recess_wider(screws)) item.head = head_region(screws, centre, bit_diameter);
            item.box = bounds(item.head ? *item.head : item.through);
            items.push_back(item);
        }
    }
    return items;
}

// Pairs of items whose boxes lie within `margin` of each other, the one
// with the smaller index first, in the order of the indices.
std::vector<std::pair<const Item*, const Item*>> near_pairs(std::vector<Item>& items, float margin) {
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.box.left < b.box.left; });
    std::vector<std::pair<const Item*, const Item*>> pairs;
    for (std::size_t a = 0; a < items.size(); ++a) {
        for (std::size_t b = a + 1; b < items.size() && items[b].box.left < items[a].box.right + margin; ++b) {
            if (!boxes_meet(items[a].box, items[b].box, margin)) continue;
            const bool in_order = items[a].index < items[b].index;
            pairs.emplace_back(in_order ? &items[a] : &items[b], in_order ? &items[b] : &items[a]);
        }
    }
    std::sort(pairs.begin(), pairs.end(), [](const auto& x, const auto& y) {
        return std::make_pair(x.first->index, x.second->index) < std::make_pair(y.first->index, y.second->index);
    });
    return pairs;
}

// How two through-cuts meet: overlapping by what shows at two decimals,
// touching (within what does not), or apart.
enum class Meeting { overlap, touch, apart };

Meeting meeting_of(double wall) {
    if (noticeable(-wall)) return Meeting::overlap;
    if (wall <= 0 || shows_as_zero(wall)) return Meeting::touch;
    return Meeting::apart;
}

void check_openings(const FaceCheck& face, const Item& one, const Item& other, float min_wall, Findings& findings) {
    const std::string& name = face.components[one.index].name;
    const std::string other_name = in_quotes(face.components[other.index].name);
    const double wall = wall_width(one.through, other.through);
    switch (meeting_of(wall)) {
        case Meeting::overlap:
            findings.warn(component_where(face.name, name), "the opening overlaps the opening of " + other_name);
            return;
        case Meeting::touch:
            findings.warn(component_where(face.name, name),
                          "the opening touches the opening of " + other_name + ": they are cut as one hole");
            return;
        case Meeting::apart:
            if (thin_wall(wall, min_wall)) {
                findings.warn(face_where(face.name), wall_text(in_quotes(name), other_name, wall));
            }
            return;
    }
}

// The hole when the opening meets it, else the head recess round it.
void check_opening_and_screw(const FaceCheck& face, const Item& opening, const Item& screw, float min_wall,
                             Findings& findings) {
    const std::string& name = face.components[opening.index].name;
    const Point corner = face.screws->layout.corners[screw.index - face.components.size()];
    const std::string hole = screw_name(false, corner);
    const double wall = wall_width(opening.through, screw.through);
    switch (meeting_of(wall)) {
        case Meeting::overlap:
            findings.warn(component_where(face.name, name), "the opening overlaps " + hole);
            return;
        case Meeting::touch:
            findings.warn(component_where(face.name, name),
                          "the opening touches " + hole + ": they are cut as one hole");
            return;
        case Meeting::apart:
            if (screw.head && regions_overlap(opening.through, *screw.head)) {
                findings.warn(component_where(face.name, name), "the opening overlaps " + screw_name(true, corner));
            } else if (thin_wall(wall, min_wall)) {
                findings.warn(face_where(face.name), wall_text(in_quotes(name), hole, wall));
            }
            return;
    }
}

void check_screws(const FaceCheck& face, const Item& one, const Item& other, float min_wall, Findings& findings) {
    const std::size_t components = face.components.size();
    const Point a = face.screws->layout.corners[one.index - components];
    const Point b = face.screws->layout.corners[other.index - components];
    const std::string holes = "the screw holes at " + fixed_decimals(a.x, 2) + ", " + fixed_decimals(a.y, 2) + " and " +
                              fixed_decimals(b.x, 2) + ", " + fixed_decimals(b.y, 2);
    const double wall = wall_width(one.through, other.through);
    switch (meeting_of(wall)) {
        case Meeting::overlap:
            // Two discs: how far apart their centres are tells the overlap.
            findings.warn(face_where(face.name),
                          holes + " overlap by " + fixed_decimals(-wall, 2) + " mm: they are cut as one hole");
            return;
        case Meeting::touch:
            findings.warn(face_where(face.name), holes + " touch: they are cut as one hole");
            return;
        case Meeting::apart:
            if (thin_wall(wall, min_wall)) {
                findings.warn(face_where(face.name), wall_text(screw_name(false, a), screw_name(false, b), wall));
            }
            return;
    }
}

}  // namespace

void check_collisions(const FaceCheck& face, float bit_diameter, float min_wall, Findings& findings) {
    std::vector<Item> items = items_of(face, bit_diameter);
    const std::size_t components = face.components.size();
    // Beyond the minimum wall, and the hundredth that still counts as
    // touching.
    const float margin = std::max(min_wall, 0.0f) + 0.01f;
    for (const auto& [one, other] : near_pairs(items, margin)) {
        if (other->index < components) {
            check_openings(face, *one, *other, min_wall, findings);
        } else if (one->index < components) {
            check_opening_and_screw(face, *one, *other, min_wall, findings);
        } else {
            check_screws(face, *one, *other, min_wall, findings);
        }
    }
}

}  // namespace veskaro::check
