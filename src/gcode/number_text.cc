#include "gcode/number_text.h"

#include "base/decimal_text.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <system_error>

namespace veskaro {

namespace {

// A widened single-precision value has at most 39 integer digits, so 64
// bytes hold its two-decimal text and any general-form text.
constexpr std::size_t kFloatTextMax = 64;

}  // namespace

std::string format_float_as_str(double value, int precision) { return fixed_decimals(value, precision); }

namespace {

// A finite float is mantissa * 2^exponent with the mantissa below 2^24.
struct FloatParts {
    bool negative;
    bool finite;
    std::uint64_t mantissa;
    int exponent;
};

FloatParts parts_of(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const unsigned biased = (bits >> 23) & 0xFF;
    FloatParts parts{};
    parts.negative = (bits >> 31) != 0;
    parts.finite = biased != 0xFF;
    parts.mantissa = biased == 0 ? (bits & 0x7FFFFF) : ((bits & 0x7FFFFF) | 0x800000);
    parts.exponent = biased == 0 ? -149 : static_cast<int>(biased) - 150;
    return parts;
}

// n / 2^shift rounded to the nearest integer, an exact half to the even one,
// as the library's conversions round; shift from 1 to 63.
std::uint64_t round_shifted(std::uint64_t n, int shift) {
    std::uint64_t whole = n >> shift;
    const std::uint64_t rest = n & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (whole & 1) != 0)) ++whole;
    return whole;
}

void append_by_library(std::string& out, float value, std::chars_format format, int precision) {
    char buffer[kFloatTextMax];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), format, precision);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

constexpr std::uint64_t kPowersOfTen[11] = {
    1, 10, 100, 1'000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000, 1'000'000'000, 10'000'000'000,
};

// The general form of values whose six significant digits are written
// without an exponent (decimal exponent -4 to 5).  The value is scaled by a
// power of ten to six digits before the point and rounded there, exactly in
// 64 bits; false for the values left to the library: zeros, exponent
// notation, infinities.
bool append_plain_general(std::string& out, const FloatParts& parts) {
    if (!parts.finite || parts.mantissa == 0) return false;
    // 2^binary <= |value| < 2^(binary + 1); 78913 / 2^18 is just above
    // log10(2), which makes guess = floor(binary * log10(2)): the decimal
    // exponent or one below it.
    const int binary = parts.exponent + 63 - std::countl_zero(parts.mantissa);
    const int guess = (binary * 78913) >> 18;
    if (guess < -5 || guess > 5) return false;
    // Here |value| < 2^20 and so the exponent is -4 or below: shift >= 4,
    // and at most 39, which keeps 10^6 << shift below 2^64.
    const int shift = -parts.exponent;
    int decimal = guess;
    std::uint64_t scaled = parts.mantissa * kPowersOfTen[5 - decimal];
    if (scaled >= (std::uint64_t{1'000'000} << shift)) {
        if (decimal == 5) return false;
        ++decimal;
        scaled = parts.mantissa * kPowersOfTen[5 - decimal];
    }
    std::uint64_t six = round_shifted(scaled, shift);
    if (six == 1'000'000) {  // rounded up to the next power of ten
        six = 100'000;
        ++decimal;
    }
    if (decimal < -4 || decimal > 5) return false;

    char digits[6];
    for (int i = 5; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + six % 10);
        six /= 10;
    }
    int last = 5;  // the last digit kept: trailing zeros are dropped
    while (last > 0 && digits[last] == '0') --last;

    char text[16];
    char* p = text;
    if (parts.negative) *p++ = '-';
    if (decimal >= 0) {
        for (int i = 0; i <= decimal; ++i) *p++ = digits[i];
        if (last > decimal) {
            *p++ = '.';
            for (int i = decimal + 1; i <= last; ++i) *p++ = digits[i];
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = decimal + 1; i < 0; ++i) *p++ = '0';
        for (int i = 0; i <= last; ++i) *p++ = digits[i];
    }
    out.append(text, static_cast<std::size_t>(p - text));
    return true;
}

}  // namespace

void append_fixed2(std::string& out, float value) {
    // The value in hundredths, mantissa * 100 * 2^exponent, is below
    // 2^31 * 2^exponent, so for exponents up to 32 it is rounded exactly in
    // 64-bit integers.  Larger values (2^56 and up) and infinities take the
    // library's path.
    const FloatParts parts = parts_of(value);
    if (!parts.finite || parts.exponent > 32) {
        append_by_library(out, value, std::chars_format::fixed, 2);
        return;
    }
    const std::uint64_t scaled = parts.mantissa * 100;
    std::uint64_t hundredths = 0;
    if (parts.exponent >= 0) {
        hundredths = scaled << parts.exponent;
    } else if (parts.exponent >= -32) {
        hundredths = round_shifted(scaled, -parts.exponent);
    }  // below that the value is less than half a hundredth

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
    if (parts.negative) *--p = '-';
    out.append(p, static_cast<std::size_t>(end - p));
}

void append_general(std::string& out, float value) {
    if (!append_plain_general(out, parts_of(value))) {
        append_by_library(out, value, std::chars_format::general, 6);
    }
}

std::string general_text(float value) {
    std::string text;
    append_general(text, value);
    return text;
}

}  // namespace veskaro
