// Panels placed on sheets: each panel's rectangle, the material its cuts
// reach, kept a gap away from every other and from the sheet's edges.
// Lengths are whole hundredths of a millimetre, so that the placing is
// exact and every panel's place is written exactly with two decimals.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace veskaro::post {

using Hundredths = long long;

// Hundredths of a millimetre at or above, and at or below, `mm`.  A value
// within a millionth of a hundredth counts as that hundredth, so that the
// 76.83 a program writes stays 7683.
Hundredths hundredths_up(double mm);
Hundredths hundredths_down(double mm);

struct BoxSize {
    Hundredths width = 0;
    Hundredths height = 0;
};

// A panel's rectangle as it lies unturned, and turned by 90 degrees.
struct PanelBox {
    BoxSize plain;
    BoxSize turned;
};

struct Placement {
    int sheet = 0;  // 0 for the first
    Hundredths x = 0;  // the lower left corner of the rectangle on the sheet
    Hundredths y = 0;
    bool turned = false;
};

struct SheetLayout {
    int sheets = 0;
    std::vector<Placement> placements;  // one for each panel, in the panels' order
    std::vector<std::size_t> order;     // the panels in the order they were placed
};

// A panel that does not fit on an empty sheet, even turned.
class PanelTooLarge : public std::runtime_error {
public:
    explicit PanelTooLarge(std::size_t panel) : std::runtime_error("panel too large"), panel_(panel) {}
    std::size_t panel() const { return panel_; }

private:
    std::size_t panel_;
};

// Places the panels, the largest (by area) first and of two as large the
// first given first, each on the first sheet where it fits, at the place
// whose top lies lowest and of those the leftmost (bottom left), turned
// when that place is better; a new sheet when none has room.  The same
// panels always give the same layout.  Throws PanelTooLarge.
SheetLayout lay_out(const std::vector<PanelBox>& panels, BoxSize sheet, Hundredths gap);

}  // namespace veskaro::post
