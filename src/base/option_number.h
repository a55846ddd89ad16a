// The numbers that the programs' options take: the whole text is the number.
#pragma once

#include <string>

namespace veskaro {

// The value of a numeric option.  The option parser reads it through
// parse_value() below, which it finds by argument-dependent lookup in place
// of its own reading of a number; that one stops at the first character it
// cannot take, and would read "12k", "1,5" and "3mm" as 12, 1 and 3.
template <typename T>
struct NumberOption {
    T value = 0;
};

// Reads `text` as the option parser always has, through a string stream in
// the current locale (digits, one point, an optional sign and exponent;
// leading blanks skipped), and accepts it only when nothing is left after
// the number.  False also for what the stream refuses, a number beyond the
// type's range included ("1e39" for a float).
bool read_whole_number(const std::string& text, float& value);
bool read_whole_number(const std::string& text, double& value);

// A refusal reads as the parser's own: OptionError "Argument '1,5' failed to
// parse".
void parse_value(const std::string& text, NumberOption<float>& number);
void parse_value(const std::string& text, NumberOption<double>& number);

}  // namespace veskaro
