#include "post/sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace veskaro::post {

namespace {

// Free room on a sheet, as the largest rectangles that hold no panel; they
// may overlap each other.
struct Room {
    Hundredths x, y, width, height;

    Hundredths right() const { return x + width; }
    Hundredths top() const { return y + height; }
    bool holds(const Room& other) const {
        return other.x >= x && other.y >= y && other.right() <= right() && other.top() <= top();
    }
    bool overlaps(const Room& other) const {
        return other.x < right() && other.right() > x && other.y < top() && other.top() > y;
    }
};

struct Sheet {
    std::vector<Room> free;
};

struct Spot {
    Room room;  // the panel's rectangle with the gap on its right and top
    bool turned;
};

// The lowest top, then the leftmost; unturned before turned at the same.
bool better(const Spot& a, const Spot& b) {
    if (a.room.top() != b.room.top()) return a.room.top() < b.room.top();
    if (a.room.x != b.room.x) return a.room.x < b.room.x;
    return !a.turned && b.turned;
}

std::optional<Spot> best_spot(const Sheet& sheet, const PanelBox& panel, Hundredths gap) {
    std::optional<Spot> best;
    for (const bool turned : {false, true}) {
        const BoxSize size = turned ? panel.turned : panel.plain;
        const Hundredths width = size.width + gap;
        const Hundredths height = size.height + gap;
        for (const Room& room : sheet.free) {
            if (width > room.width || height > room.height) continue;
            const Spot spot{{room.x, room.y, width, height}, turned};
            if (!best || better(spot, *best)) best = spot;
        }
    }
    return best;
}

// The free room left around `used`: every free rectangle it overlaps is
// replaced by the parts of it on the four sides of `used`, and rectangles
// held in others are dropped.
void take(Sheet& sheet, const Room& used) {
    std::vector<Room> free;
    for (const Room& room : sheet.free) {
        if (!room.overlaps(used)) {
            free.push_back(room);
            continue;
        }
        if (used.x > room.x) free.push_back({room.x, room.y, used.x - room.x, room.height});
        if (used.right() < room.right()) free.push_back({used.right(), room.y, room.right() - used.right(), room.height});
        if (used.y > room.y) free.push_back({room.x, room.y, room.width, used.y - room.y});
        if (used.top() < room.top()) free.push_back({room.x, used.top(), room.width, room.top() - used.top()});
    }
    sheet.free.clear();
    for (std::size_t n = 0; n < free.size(); ++n) {
        bool held = false;
        for (std::size_t m = 0; m < free.size() && !held; ++m) {
            // Of two equal rectangles the first stays.
            held = m != n && free[m].holds(free[n]) && (!free[n].holds(free[m]) || m < n);
        }
        if (!held) sheet.free.push_back(free[n]);
    }
}

Hundredths area(const BoxSize& size) { return size.width * size.height; }

// A millionth of a hundredth: what the decimal text of a program leaves of
// an exact hundredth after reading it as a binary number.
constexpr double kSlack = 1e-6;

}  // namespace

Hundredths hundredths_up(double mm) { return static_cast<Hundredths>(std::ceil(mm * 100 - kSlack)); }

Hundredths hundredths_down(double mm) { return static_cast<Hundredths>(std::floor(mm * 100 + kSlack)); }

SheetLayout lay_out(const std::vector<PanelBox>& panels, BoxSize sheet_size, Hundredths gap) {
    SheetLayout layout;
    layout.placements.resize(panels.size());
    for (std::size_t n = 0; n < panels.size(); ++n) layout.order.push_back(n);
    std::stable_sort(layout.order.begin(), layout.order.end(),
                     [&](std::size_t a, std::size_t b) { return area(panels[a].plain) > area(panels[b].plain); });

    // The panels' rectangles with the gap on their right and top fill the
    // sheet from one gap inside its lower left corner up to its edges.
    const Room empty{gap, gap, sheet_size.width - gap, sheet_size.height - gap};
    std::vector<Sheet> sheets;
    for (const std::size_t panel : layout.order) {
        std::optional<Spot> spot;
        std::size_t on = 0;
        for (; on < sheets.size() && !spot; ++on) spot = best_spot(sheets[on], panels[panel], gap);
        if (spot) {
            --on;
        } else {
            Sheet fresh;
            if (empty.width > 0 && empty.height > 0) fresh.free.push_back(empty);
            spot = best_spot(fresh, panels[panel], gap);
            if (!spot) throw PanelTooLarge(panel);
            sheets.push_back(std::move(fresh));
            on = sheets.size() - 1;
        }
        take(sheets[on], spot->room);
        layout.placements[panel] = Placement{static_cast<int>(on), spot->room.x, spot->room.y, spot->turned};
    }
    layout.sheets = static_cast<int>(sheets.size());
    return layout;
}

}  // namespace veskaro::post
