// Number text the straightforward way: a new string stream for every number.
#pragma once

#include <string>

namespace veskaro::reference {

// Fixed notation with `precision` decimals from a fresh stream.
std::string format_float_as_str(double value, int precision);

// The general form of a fresh stream in its default state.
std::string general_form(float value);

}  // namespace veskaro::reference
