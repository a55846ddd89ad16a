// Numbers as every controller reads them: plain decimal notation, never an
// exponent.
#pragma once

#include <string>

namespace veskaro::post {

// The decimals a number is rounded to where post writes it (a tenth of a
// micrometre): trimmed_decimals(value, kPlainDecimals) gives 0 for
// 2.62268e-07, 0.0001 for 9.99e-05, 1000000 for 1e+06 and 12.5 for 12.5.
// Values lie within the range the program reader takes
// (toolpath::kLargestNumber).
inline constexpr int kPlainDecimals = 4;

// A word of `letter` and the value in plain decimals: F250, X0, P1.5.
std::string plain_word(char letter, double value);

// GRBL reads the first eight digits of a number, leading zeros included,
// and drops the rest: "X000000001.5" reads as X0, "X123456.1234" as
// X123456.12.  The word `text` (letter and plain number) without leading
// zeros ("X007.50" becomes "X7.50", "G01" "G1").
std::string without_leading_zeros(const std::string& text);

// True when GRBL reads the word `text` as written: no digit after its
// eighth is other than 0.
bool read_whole_by_grbl(const std::string& text);

}  // namespace veskaro::post
