// A number option read strictly: the whole text must be the number.  The
// option parser finds parse_value() below by argument-dependent lookup, in
// place of its own reading, which stops at the first character that cannot
// continue a number ("3mm" would read as 3).
#pragma once

#include <string>

namespace veskaro::preview {

struct StrictNumber {
    double value = 0;
};

// Digits with an optional sign, point and exponent, and nothing else:
// "1.5", "+2", ".5", "3e1"; not "1,5", "3mm", "0x10", " 3", "inf" or "nan".
// Throws the parser's own refusal, "Argument '<text>' failed to parse".
void parse_value(const std::string& text, StrictNumber& number);

}  // namespace veskaro::preview
