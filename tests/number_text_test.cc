// The number text must be byte for byte what a classic-locale stream writes:
// fixed with two decimals, or the default general form.
#include "gcode/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <random>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

namespace {

using veskaro::append_fixed2;
using veskaro::append_general;
using veskaro::format_float_as_str;

std::string stream_fixed(double value, int precision) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(precision) << value;
    return out.str();
}

std::string stream_general(float value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string fixed2(float value) {
    std::string text;
    append_fixed2(text, value);
    return text;
}

void expect_both_forms_match_stream(float value) {
    ASSERT_EQ(fixed2(value), stream_fixed(value, 2)) << std::hexfloat << value;
    ASSERT_EQ(veskaro::general_text(value), stream_general(value)) << std::hexfloat << value;
    ASSERT_EQ(format_float_as_str(value, 2), stream_fixed(value, 2)) << std::hexfloat << value;
}

float from_bits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(NumberText, KnownTexts) {
    EXPECT_EQ(format_float_as_str(12.345f, 2), "12.35");
    EXPECT_EQ(format_float_as_str(2.675f, 2), "2.67");
    EXPECT_EQ(format_float_as_str(0.125f, 2), "0.12");
    EXPECT_EQ(format_float_as_str(0.375f, 2), "0.38");
    EXPECT_EQ(format_float_as_str(-0.004f, 2), "-0.00");
    EXPECT_EQ(format_float_as_str(-0.0f, 2), "-0.00");
    EXPECT_EQ(format_float_as_str(1234.5f, 2), "1234.50");
    EXPECT_EQ(format_float_as_str(5.0f, 0), "5");
    EXPECT_EQ(format_float_as_str(2.5f, 0), "2");
    EXPECT_EQ(format_float_as_str(3.5f, 0), "4");
    EXPECT_EQ(format_float_as_str(3.4028235e38f, 2), "340282346638528859811704183484516925440.00");

    EXPECT_EQ(veskaro::general_text(100.0f), "100");
    EXPECT_EQ(veskaro::general_text(12.5f), "12.5");
    EXPECT_EQ(veskaro::general_text(61.160255f), "61.1603");
    EXPECT_EQ(veskaro::general_text(-0.0f), "-0");
    EXPECT_EQ(veskaro::general_text(4.37113883e-08f), "4.37114e-08");
    EXPECT_EQ(veskaro::general_text(1e6f), "1e+06");
    EXPECT_EQ(veskaro::general_text(1234567.0f), "1.23457e+06");
    EXPECT_EQ(veskaro::general_text(1e-5f), "1e-05");
}

TEST(NumberText, RandomBitPatternsMatchTheStream) {
    std::mt19937 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        const float value = from_bits(static_cast<std::uint32_t>(random()));
        if (std::isnan(value)) continue;
        expect_both_forms_match_stream(value);
    }
}

TEST(NumberText, MillimetreRangeMatchesTheStream) {
    // The values that machining really produces: a few metres at most.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> span(-5000.0f, 5000.0f);
    for (int i = 0; i < 200000; ++i) expect_both_forms_match_stream(span(random));
}

TEST(NumberText, ExactTiesRoundToEven) {
    // n + k/8 is exact in single precision up to 2^21; k = 1, 3, 5, 7 give a
    // 5 in the third decimal, an exact tie at two decimals.
    for (std::int32_t n = -3000; n <= 3000; ++n) {
        for (int k : {1, 3, 5, 7}) {
            expect_both_forms_match_stream(static_cast<float>(n) + k / 8.0f);
        }
    }
    for (std::int32_t n = (1 << 21) - 50; n < (1 << 21); ++n) {
        expect_both_forms_match_stream(static_cast<float>(n) + 0.125f);
        expect_both_forms_match_stream(static_cast<float>(n) + 0.375f);
    }
    // Ties of the general form at six significant digits: n + 0.5 for six-digit n.
    for (std::int32_t n = 100000; n < 100400; ++n) expect_both_forms_match_stream(n + 0.5f);
}

TEST(NumberText, NeighboursOfPowersOfTenMatchTheStream) {
    for (int exponent = -45; exponent <= 38; ++exponent) {
        const float power = static_cast<float>(std::pow(10.0, exponent));
        float below = power;
        float above = power;
        for (int step = 0; step < 40; ++step) {
            expect_both_forms_match_stream(below);
            expect_both_forms_match_stream(-above);
            below = std::nextafter(below, 0.0f);
            above = std::nextafter(above, INFINITY);
        }
        // The rounding boundaries of the general form: 999999.5 * 10^k.
        const float boundary = static_cast<float>(999999.5 * std::pow(10.0, exponent - 5));
        expect_both_forms_match_stream(boundary);
        expect_both_forms_match_stream(std::nextafter(boundary, 0.0f));
        expect_both_forms_match_stream(std::nextafter(boundary, INFINITY));
    }
}

}  // namespace
