// What a simulated cut needs besides the program: the bit, the sheet and the
// size of the cells the sheet is looked at in.
#pragma once

#include <optional>
#include <string>

namespace veskaro::simulate {

struct CutSettings {
    double bit_diameter = 0;  // mm, a flat-end bit; above 0
    double thickness = 0;     // mm; the sheet's top is Z 0, Z -thickness and below cut through
    double cell = 0.05;       // mm between the lines the sheet is sampled along
};

// The finest and the coarsest cell, in mm.
constexpr double kSmallestCell = 0.005;
constexpr double kLargestCell = 1;

// The cell used when none is asked for: 0.05 mm, or half the bit when the
// bit is thinner than 0.1 mm, so that every cut crosses a line.
double default_cell(double bit_diameter);

// Why the settings cannot be simulated, as "Option '<name>' ..." naming the
// option, or nothing when they can.
std::optional<std::string> settings_refusal(const CutSettings& settings);

}  // namespace veskaro::simulate
