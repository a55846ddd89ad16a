#include "base/decimal_text.h"

#include <charconv>

namespace veskaro {

namespace {

// Any double in fixed notation: up to 309 integer digits, a sign and a point.
constexpr std::size_t kWholeDigits = 320;
constexpr int kDecimalsOnTheStack = 32;

std::string fixed_into(char* buffer, std::size_t size, double value, int decimals) {
    const auto result = std::to_chars(buffer, buffer + size, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string fixed_decimals(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals <= kDecimalsOnTheStack) {
        char buffer[kWholeDigits + kDecimalsOnTheStack];
        return fixed_into(buffer, sizeof buffer, value, decimals);
    }
    std::string buffer(kWholeDigits + static_cast<std::size_t>(decimals), '\0');
    return fixed_into(buffer.data(), buffer.size(), value, decimals);
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
