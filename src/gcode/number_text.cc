#include "gcode/number_text.h"

#include <bit>
#include <charconv>
#include <cstdint>
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
    // A float is m * 2^e with m below 2^24.  Its value in hundredths,
    // m * 100 * 2^e, is below 2^31 * 2^e, so for e up to 32 it is rounded
    // exactly in 64-bit integers: the bits shifted out decide, and an exact
    // half goes to the even neighbour, as the library's conversion does.
    // Larger values (2^56 and up) and infinities take the library's path.
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const bool negative = (bits >> 31) != 0;
    const unsigned biased = (bits >> 23) & 0xFF;
    const std::uint64_t mantissa = biased == 0 ? (bits & 0x7FFFFF) : ((bits & 0x7FFFFF) | 0x800000);
    const int exponent = biased == 0 ? -149 : static_cast<int>(biased) - 150;
    if (biased == 0xFF || exponent > 32) {
        char buffer[kFloatTextMax];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                    std::chars_format::fixed, 2);
        out.append(buffer, result.ptr);
        return;
    }
    const std::uint64_t scaled = mantissa * 100;
    std::uint64_t hundredths = 0;
    if (exponent >= 0) {
        hundredths = scaled << exponent;
    } else if (exponent >= -32) {
        // Below that the shifted-out part is always less than a half.
        const int shift = -exponent;
        hundredths = scaled >> shift;
        const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (hundredths & 1) != 0)) ++hundredths;
    }

    // Up to 19 digits, the point and the sign; written from the end.
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    const unsigned cents = static_cast<unsigned>(hundredths % 100);
    std::uint64_t whole = hundredths / 100;
    *--p = static_cast<char>('0' + cents % 10);
    *--p = static_cast<char>('0' + cents / 10);
    *--p = '.';
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    // Negative zero and negative values that round to zero keep their sign.
    if (negative) *--p = '-';
    out.append(p, static_cast<std::size_t>(end - p));
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
