// Decimal text of numbers, for the console, the findings, the pictures and
// the programs: each function is named for what it writes.  All of them
// round the value's exact binary value to the nearest text, an exact half
// to the even digit, as printf's "%.*f" does, in any locale.
#pragma once

#include <string>

namespace veskaro {

// Exactly `decimals` digits after the point, the sign kept on a value that
// rounds to zero: 5.00, -1.00, 1234.50, -0.00.
std::string fixed_decimals(double value, int decimals);

// The same, but a value that rounds to zero is written without a sign
// (0.00, not -0.00): a figure read by a person.
std::string fixed_decimals_zero_unsigned(double value, int decimals);

// At most `decimals` digits after the point, without trailing zeros or a
// bare point, and 0 for a value that rounds to zero: 12.5, -0.125, 200, 0,
// 1000000.  Never an exponent.
std::string trimmed_decimals(double value, int decimals);

}  // namespace veskaro
