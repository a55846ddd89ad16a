// The number texts that the size and feed rate options take.
#pragma once

#include <string>

namespace veskaro {

// Reads `text` as the option parser always has, through a string stream in
// the current locale (digits, one point, an optional sign and exponent;
// leading blanks skipped), and accepts it only when nothing is left after
// the number: "1,5", "0x10" or "3mm" would otherwise be read as 1, 0 and 3.
// False also for what the stream refuses, a number beyond single precision
// included.
bool read_whole_number(const std::string& text, float& value);

}  // namespace veskaro
