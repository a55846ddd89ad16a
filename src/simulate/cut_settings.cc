#include "simulate/cut_settings.h"

#include <algorithm>

namespace veskaro::simulate {

double default_cell(double bit_diameter) { return std::clamp(bit_diameter / 2, kSmallestCell, 0.05); }

std::optional<std::string> settings_refusal(const CutSettings& s) {
    if (!(s.bit_diameter > 0)) {
        return "Option 'bit-diameter' must be greater than 0 to simulate the cut (a bit of no width removes "
               "nothing)";
    }
    if (s.bit_diameter > 1000) return "Option 'bit-diameter' must be at most 1000";
    if (!(s.thickness > 0) || s.thickness > 1000) {
        return "Option 'material-thickness' must be greater than 0 and at most 1000";
    }
    if (!(s.cell >= kSmallestCell && s.cell <= kLargestCell)) {
        return "Option 'cell' must be between 0.005 and 1";
    }
    // A cut narrower than two cells could fall between the lines.
    if (s.cell > s.bit_diameter / 2) return "Option 'cell' must be at most half the bit diameter";
    return std::nullopt;
}

}  // namespace veskaro::simulate
