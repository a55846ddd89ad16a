// A program line taken apart into its words and its comment, so that a word
// can be changed and the line put together again with everything else as
// it was written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolpath/line_words.h"

namespace veskaro::post {

struct LineParts {
    std::vector<toolpath::Word> words;
    std::optional<std::string> comment;  // the text after the first ";", as written
};

// Throws toolpath::LineError for a line that is not made of words.
LineParts line_parts(const std::string& text);

// The words joined by single spaces: "G1 X10 Y5 F600.00".
std::string words_text(const std::vector<toolpath::Word>& words);

// The words, then " ;" and the comment when there is one.
std::string line_text(const LineParts& line);

// The value of the word of that letter, or nothing.
std::optional<double> word_value(const LineParts& line, char letter);

// Sets the word of that letter to `value`, written as post writes numbers;
// a word that was not there is put where the generator writes it (X, Y, Z
// after the command, I and J after them, F after those).
void set_word(LineParts& line, char letter, double value);

}  // namespace veskaro::post
