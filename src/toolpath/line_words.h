// Splits one G-code line into its words: a letter followed by a number, one
// space between words, and an optional ";" comment to the end of the line.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veskaro::toolpath {

// The longest line a program may hold, in bytes without its line feed.
// The controllers take 79 (GRBL) and 252 (LinuxCNC) characters; the
// generator writes longer lines only for component names of hundreds of
// characters.  A longer line, a file of zeros or a stream without a line
// feed, is refused before it takes memory.
inline constexpr std::size_t kLongestLine = 65536;

// The bytes of a word an error message quotes: enough to find it.
inline constexpr std::size_t kQuotedBytes = 24;

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

// `text` in apostrophes for a message, bytes that are not printable as "?",
// and only its first kQuotedBytes bytes and "..." when it is longer:
// 'X1.2.3', 'X0000000000000000000000...'.
std::string quoted_word(std::string_view text);

// The text after the line's first ";", without the spaces around it; empty
// when there is none.
std::string_view line_comment(std::string_view line);

}  // namespace veskaro::toolpath
