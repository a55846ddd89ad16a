#include "gcode/number_text.h"

#include <charconv>
#include <system_error>
#include <vector>

namespace veskaro {

namespace {

// A widened single-precision value has at most 39 integer digits, so 64
// bytes hold its two-decimal text and any general-form text.
constexpr std::size_t kFloatTextMax = 64;

}  // namespace

std::string format_float_as_str(double value, int precision) {
    if (precision < 0) precision = 0;
    // Any double: up to 309 integer digits, a sign, a point and the decimals.
    std::vector<char> buffer(320 + static_cast<std::size_t>(precision));
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                std::chars_format::fixed, precision);
    return std::string(buffer.data(), result.ptr);
}

void append_fixed2(std::string& out, float value) {
    char buffer[kFloatTextMax];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                std::chars_format::fixed, 2);
    out.append(buffer, result.ptr);
}

void append_general(std::string& out, float value) {
    char buffer[kFloatTextMax];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                std::chars_format::general, 6);
    out.append(buffer, result.ptr);
}

std::string general_text(float value) {
    std::string text;
    append_general(text, value);
    return text;
}

}  // namespace veskaro
