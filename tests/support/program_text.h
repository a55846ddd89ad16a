// Helpers for comparing program lines.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace veskaro::testing {

// The lines every program starts with, and the two it ends with.
inline const std::string kHeader =
    "# Created with VESKARO G-Code Generator - https://veskaro.example.org\n"
    "G21 ; Set units to mm\n"
    "G90 ; Absolute positioning\n"
    "G0 Z5 ; Lift the tool to a safe height\n";
inline const std::string kFooter = "G0 Z5 ; Lift the tool to a safe height\nM30 ; End of program\n";

// The outline of a 200 x 100 mm face in two passes of 1.5 mm through 3 mm at
// the default feed rate, with its own lift.
inline const std::string kOutline200x100 =
    "G0 X0 Y100.00 ; Move to the starting point\n"
    "G1 Z-1.50 F100.00 ; Start cutting down to -1.50mm\n"
    "G1 X200.00 Y100.00 F100.00 ; Cut along the X axis\n"
    "G1 X200.00 Y0 ; Cut along the Y axis\n"
    "G1 X0 Y0 ; Cut back along the X axis\n"
    "G1 X0 Y100.00 ; Close the loop on the Y axis\n"
    "G0 X0 Y100.00 ; Move to the starting point\n"
    "G1 Z-3.00 F100.00 ; Start cutting down to -3.00mm\n"
    "G1 X200.00 Y100.00 F100.00 ; Cut along the X axis\n"
    "G1 X200.00 Y0 ; Cut along the Y axis\n"
    "G1 X0 Y0 ; Cut back along the X axis\n"
    "G1 X0 Y100.00 ; Close the loop on the Y axis\n"
    "G0 Z5 ; Lift the tool to a safe height\n";

inline std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline std::string join_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

}  // namespace veskaro::testing
