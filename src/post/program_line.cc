#include "post/program_line.h"

#include <string_view>

#include "post/plain_number.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

// The order in which the generator writes the words of a line.
int rank_of(char letter) {
    static constexpr std::string_view kOrder = "GMXYZIJFSP";
    return static_cast<int>(kOrder.find(letter));
}

}  // namespace

LineParts line_parts(const std::string& text) {
    LineParts line;
    line.words = split_words(text);
    const std::size_t semicolon = text.find(';');
    if (semicolon != std::string::npos) line.comment = text.substr(semicolon + 1);
    return line;
}

std::string words_text(const std::vector<Word>& words) {
    std::string code;
    for (const Word& word : words) code += (code.empty() ? "" : " ") + word.text;
    return code;
}

std::string line_text(const LineParts& line) {
    std::string text = words_text(line.words);
    if (line.comment) text += (text.empty() ? ";" : " ;") + *line.comment;
    return text;
}

std::optional<double> word_value(const LineParts& line, char letter) {
    for (const Word& word : line.words) {
        if (word.letter == letter) return word.value;
    }
    return std::nullopt;
}

void set_word(LineParts& line, char letter, double value) {
    Word word;
    word.letter = letter;
    word.text = plain_word(letter, value);
    word.value = value;
    auto at = line.words.begin();
    for (; at != line.words.end(); ++at) {
        if (at->letter == letter) {
            *at = std::move(word);
            return;
        }
        if (rank_of(at->letter) > rank_of(letter)) break;
    }
    line.words.insert(at, std::move(word));
}

}  // namespace veskaro::post
