// Number text of the G-code programs and console lines.
//
// Two forms are written: fixed notation with a given number of decimals
// (coordinates, depths and feed rates of most lines) and the general form of
// a default-state text stream: six significant digits, trailing zeros
// dropped, exponent notation below 1e-4 and from 1e6 up.  Both round the
// exact binary value to nearest with ties to even, the same text that
// std::to_chars and a classic-locale stream give: the float appenders do it
// in integers for the common magnitudes and leave the rest to std::to_chars.
#pragma once

#include <string>

namespace veskaro {

// The value in fixed notation with `precision` digits after the decimal
// point, for example 5.00, -0.00, 1234.50.
std::string format_float_as_str(double value, int precision);

// Appends the fixed two-decimal text of a single-precision value.
void append_fixed2(std::string& out, float value);

// Appends the general-form text of a single-precision value (100, 12.5,
// 61.1603, 4.37114e-08, -0).
void append_general(std::string& out, float value);

// The general-form text as a string.
std::string general_text(float value);

}  // namespace veskaro
