#include "post/plain_number.h"

#include "base/decimal_text.h"

namespace veskaro::post {

std::string plain_word(char letter, double value) {
    std::string word(1, letter);
    word += trimmed_decimals(value, kPlainDecimals);
    return word;
}

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string without_leading_zeros(const std::string& text) {
    std::size_t digits = 1;  // after the letter
    if (digits < text.size() && (text[digits] == '-' || text[digits] == '+')) ++digits;
    std::size_t first = digits;
    // A zero followed by another digit says nothing.
    while (first + 1 < text.size() && text[first] == '0' && is_digit(text[first + 1])) ++first;
    return text.substr(0, digits) + text.substr(first);
}

// GRBL's own number reading (read_float): MAX_INT_DIGITS is 8.
bool read_whole_by_grbl(const std::string& text) {
    constexpr int kDigitsRead = 8;
    int digits = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!is_digit(text[i])) continue;
        if (++digits > kDigitsRead && text[i] != '0') return false;
    }
    return true;
}

}  // namespace veskaro::post
