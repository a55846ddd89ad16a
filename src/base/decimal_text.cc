#include "base/decimal_text.h"

#include <charconv>

namespace veskaro {

std::string fixed_decimals(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    // Any double: up to 309 integer digits, a sign, a point and the decimals.
    std::string text(320 + static_cast<std::size_t>(decimals), '\0');
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    return text;
}

std::string fixed_decimals_zero_unsigned(double value, int decimals) {
    std::string text = fixed_decimals(value, decimals);
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string trimmed_decimals(double value, int decimals) {
    std::string text = fixed_decimals_zero_unsigned(value, decimals);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

}  // namespace veskaro
