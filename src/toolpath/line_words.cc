#include "toolpath/line_words.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace veskaro::toolpath {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Number text as the generator writes it: an optional sign, digits with an
// optional decimal point, and an optional exponent.  Anything else (a second
// point, a missing digit, a trailing letter) is refused.
bool parse_number(std::string_view text, double& value, bool& exponent) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::size_t digits = 0;
    for (; i < text.size() && is_digit(text[i]); ++i) ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && is_digit(text[i]); ++i) ++digits;
    }
    if (digits == 0) return false;
    exponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        exponent = true;
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        std::size_t exponent_digits = 0;
        for (; i < text.size() && is_digit(text[i]); ++i) ++exponent_digits;
        if (exponent_digits == 0) return false;
    }
    if (i != text.size()) return false;
    // from_chars takes no leading "+".
    const std::size_t start = text[0] == '+' ? 1 : 0;
    const auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool accepted_letter(char c) {
    switch (c) {
        case 'G': case 'M': case 'X': case 'Y': case 'Z': case 'I': case 'J': case 'F': case 'S': case 'P':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string quoted_word(std::string_view text) {
    const bool cut = text.size() > kQuotedBytes;
    if (cut) text = text.substr(0, kQuotedBytes);
    std::string shown = "'";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        shown += std::isprint(byte) ? c : '?';
    }
    return shown + (cut ? "...'" : "'");
}

std::vector<Word> split_words(std::string_view line) {
    const std::size_t comment = line.find(';');
    if (comment != std::string_view::npos) line = line.substr(0, comment);

    std::vector<Word> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') ++end;
        const std::string_view token = line.substr(i, end - i);
        i = end;

        if (!accepted_letter(token[0])) throw LineError("unsupported word " + quoted_word(token));
        Word word;
        word.letter = token[0];
        word.text = std::string(token);
        if (!parse_number(token.substr(1), word.value, word.exponent)) {
            throw LineError("malformed number in " + quoted_word(token));
        }
        // A kilometre is far beyond any panel; such a number is a fault, and
        // drawing it would make a picture of nothing.
        if (!(std::fabs(word.value) <= kLargestNumber)) {
            throw LineError("number out of range in " + quoted_word(token));
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::string_view line_comment(std::string_view line) {
    const std::size_t semicolon = line.find(';');
    if (semicolon == std::string_view::npos) return {};
    std::string_view comment = line.substr(semicolon + 1);
    const std::size_t first = comment.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = comment.find_last_not_of(" \t\r");
    return comment.substr(first, last - first + 1);
}

}  // namespace veskaro::toolpath
