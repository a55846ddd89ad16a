// The number text of the program lines is built by integer rounding of the
// float's exact value, in the two-decimal form and in the six-digit general
// form; it must give the library conversion's bytes for every float, ties
// to even and the sign of negative zero included.
#include <bit>
#include <charconv>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "gcode/number_text.h"

namespace {

enum class Form { Fixed2, General };

std::string ours(float value, Form form = Form::Fixed2) {
    std::string text;
    if (form == Form::Fixed2) {
        veskaro::append_fixed2(text, value);
    } else {
        veskaro::append_general(text, value);
    }
    return text;
}

std::string library(float value, Form form = Form::Fixed2) {
    char buffer[128];
    auto result = form == Form::Fixed2
                      ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, 2)
                      : std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

// Counts the floats of [first, last] bits, stepping by `stride`, whose text
// differs; reports the first few.
int mismatches(std::uint32_t first, std::uint32_t last, std::uint32_t stride, Form form = Form::Fixed2) {
    int bad = 0;
    for (std::uint64_t bits = first; bits <= last; bits += stride) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        if (value != value) continue;
        const std::string mine = ours(value, form);
        const std::string theirs = library(value, form);
        if (mine != theirs && ++bad <= 5) {
            ADD_FAILURE() << "bits " << std::hex << bits << ": " << mine << " instead of " << theirs;
        }
    }
    return bad;
}

std::uint32_t bits_of(float value) { return std::bit_cast<std::uint32_t>(value); }

TEST(FixedText, RoundsTheExactValueTiesToEvenAndKeepsTheSign) {
    EXPECT_EQ(ours(12.345f), "12.35");  // stored just above
    EXPECT_EQ(ours(2.675f), "2.67");    // stored just below
    EXPECT_EQ(ours(0.125f), "0.12");
    EXPECT_EQ(ours(0.375f), "0.38");
    EXPECT_EQ(ours(-0.004f), "-0.00");
    EXPECT_EQ(ours(-0.0f), "-0.00");
    EXPECT_EQ(ours(0.0f), "0.00");
    EXPECT_EQ(ours(1234.5f), "1234.50");
    EXPECT_EQ(ours(-1.5f), "-1.50");
    EXPECT_EQ(ours(1e-45f), "0.00");
    EXPECT_EQ(ours(-1e-45f), "-0.00");
    EXPECT_EQ(ours(16777216.0f), "16777216.00");
    EXPECT_EQ(ours(3.4028235e38f), library(3.4028235e38f));
}

TEST(FixedText, EqualsTheLibraryConversionAcrossTheFloats) {
    // Every float around the rounding edges of the hundredths (0.005, 0.995)
    // and of the millimetre sizes the programs hold.
    for (float centre : {0.005f, 0.995f, 1.0f, 2.675f, 99.995f, 600.0f, 65536.0f}) {
        EXPECT_EQ(mismatches(bits_of(centre) - 20000, bits_of(centre) + 20000, 1), 0) << centre;
        EXPECT_EQ(mismatches(bits_of(-centre) - 20000, bits_of(-centre) + 20000, 1), 0) << -centre;
    }
    // Exact ties: the odd eighths up to 2^17, positive and negative.
    int bad = 0;
    for (int eighths = 1; eighths < (1 << 20); eighths += 2) {
        for (float value : {eighths / 8.0f, -eighths / 8.0f}) {
            if (ours(value) != library(value) && ++bad <= 5) ADD_FAILURE() << value;
        }
    }
    EXPECT_EQ(bad, 0);
    // A spread over all bit patterns: denormals, the fast path's upper end
    // at 2^56 and the library path above it, infinities.
    EXPECT_EQ(mismatches(0, 0xFFFFFFFFu, 4093), 0);
    EXPECT_EQ(mismatches(bits_of(7.2e16f) - 5000, bits_of(7.2e16f) + 5000, 1), 0);
}

TEST(GeneralText, SixDigitsWithoutTrailingZerosAndExponentsOutsidePlainRange) {
    const Form g = Form::General;
    EXPECT_EQ(ours(100.0f, g), "100");
    EXPECT_EQ(ours(12.5f, g), "12.5");
    EXPECT_EQ(ours(-1.5f, g), "-1.5");
    EXPECT_EQ(ours(61.160255f, g), "61.1603");
    EXPECT_EQ(ours(0.0001f, g), "0.0001");
    EXPECT_EQ(ours(0.00001f, g), "1e-05");
    EXPECT_EQ(ours(4.37114e-08f, g), "4.37114e-08");
    EXPECT_EQ(ours(999999.0f, g), "999999");
    EXPECT_EQ(ours(999999.5f, g), "1e+06");  // a tie, rounded to even
    EXPECT_EQ(ours(1234567.0f, g), "1.23457e+06");
    EXPECT_EQ(ours(0.0f, g), "0");
    EXPECT_EQ(ours(-0.0f, g), "-0");
}

TEST(GeneralText, EqualsTheLibraryConversionAcrossTheFloats) {
    const Form g = Form::General;
    // Every float around the powers of ten where the exponent and the number
    // of decimals change, from the exponent form below 1e-4 to the one above 1e6.
    for (float edge : {1e-5f, 1e-4f, 1e-3f, 0.01f, 0.1f, 1.0f, 10.0f, 100.0f, 1e3f, 1e4f, 1e5f, 1e6f, 1048576.0f}) {
        EXPECT_EQ(mismatches(bits_of(edge) - 20000, bits_of(edge) + 20000, 1, g), 0) << edge;
        EXPECT_EQ(mismatches(bits_of(-edge) - 20000, bits_of(-edge) + 20000, 1, g), 0) << -edge;
    }
    EXPECT_EQ(mismatches(0, 0xFFFFFFFFu, 4093, g), 0);
}

}  // namespace
