// Splits one G-code line into its words: a letter followed by a number, one
// space between words, and an optional ";" comment to the end of the line.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veskaro::toolpath {

// The largest size of a number in a program, a kilometre: far beyond any
// panel, so that a larger one is a fault.  Numbers up to it are written in
// plain decimals by every controller's rules.
inline constexpr double kLargestNumber = 1e6;

struct Word {
    char letter = 0;
    double value = 0;
    std::string text;     // the word as written, for messages
    bool exponent = false;  // the number carries an exponent ("1e-05")
};

// A line that is not made of words of the accepted letters.
class LineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The words of `line` without its comment; empty for a blank or comment-only
// line.  Accepted letters: G, M, X, Y, Z, I, J, F, S, P.  Throws LineError.
std::vector<Word> split_words(std::string_view line);

// The text after the line's first ";", without the spaces around it; empty
// when there is none.
std::string_view line_comment(std::string_view line);

}  // namespace veskaro::toolpath
