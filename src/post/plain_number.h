// Numbers as every controller reads them: plain decimal notation, never an
// exponent.
#pragma once

#include <string>

namespace veskaro::post {

// The value rounded to four decimals (a tenth of a micrometre), without
// trailing zeros: 2.62268e-07 gives 0, 9.99e-05 gives 0.0001, 1e+06 gives
// 1000000, 12.5 gives 12.5.  A value that rounds to zero is written 0, not
// -0.  `value` lies within the range the program reader takes
// (toolpath::kLargestNumber).
std::string plain_decimal(double value);

// A word of `letter` and the value in plain decimals: F250, X0, P1.5.
std::string plain_word(char letter, double value);

}  // namespace veskaro::post
