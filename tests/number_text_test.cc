// The number text must be byte for byte what a classic-locale stream writes:
// fixed with two decimals, or the default general form.  The fast paths
// round the float's exact value in integers; every sample here is compared
// with the stream.
#include "gcode/number_text.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

namespace {

using veskaro::format_float_as_str;
using veskaro::general_text;

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
    veskaro::append_fixed2(text, value);
    return text;
}

// Compares both forms with the stream; reports the first few differences.
int mismatches(float value) {
    static int reported = 0;
    int bad = 0;
    if (std::isnan(value)) return 0;
    if (fixed2(value) != stream_fixed(value, 2)) ++bad;
    if (general_text(value) != stream_general(value)) ++bad;
    if (bad != 0 && ++reported <= 5) {
        ADD_FAILURE() << std::hexfloat << value << ": " << fixed2(value) << " / " << general_text(value);
    }
    return bad;
}

// Every float within `count` bit patterns of `centre`, both signs.
int mismatches_around(float centre, int count) {
    int bad = 0;
    for (float sign : {1.0f, -1.0f}) {
        const auto bits = std::bit_cast<std::uint32_t>(sign * centre);
        for (std::uint32_t b = bits - count; b != bits + count; ++b) bad += mismatches(std::bit_cast<float>(b));
    }
    return bad;
}

TEST(NumberText, KnownTexts) {
    EXPECT_EQ(format_float_as_str(12.345f, 2), "12.35");  // stored just above
    EXPECT_EQ(format_float_as_str(2.675f, 2), "2.67");    // stored just below
    EXPECT_EQ(format_float_as_str(0.125f, 2), "0.12");
    EXPECT_EQ(format_float_as_str(0.375f, 2), "0.38");
    EXPECT_EQ(format_float_as_str(-0.004f, 2), "-0.00");
    EXPECT_EQ(format_float_as_str(1234.5f, 2), "1234.50");
    EXPECT_EQ(format_float_as_str(5.0f, 0), "5");
    EXPECT_EQ(format_float_as_str(2.5f, 0), "2");
    EXPECT_EQ(format_float_as_str(3.5f, 0), "4");
    EXPECT_EQ(fixed2(-0.0f), "-0.00");
    EXPECT_EQ(fixed2(-1e-45f), "-0.00");
    EXPECT_EQ(fixed2(16777216.0f), "16777216.00");
    EXPECT_EQ(fixed2(3.4028235e38f), "340282346638528859811704183484516925440.00");

    EXPECT_EQ(general_text(100.0f), "100");
    EXPECT_EQ(general_text(12.5f), "12.5");
    EXPECT_EQ(general_text(61.160255f), "61.1603");
    EXPECT_EQ(general_text(-0.0f), "-0");
    EXPECT_EQ(general_text(0.0001f), "0.0001");
    EXPECT_EQ(general_text(1e-5f), "1e-05");
    EXPECT_EQ(general_text(4.37113883e-08f), "4.37114e-08");
    EXPECT_EQ(general_text(999999.5f), "1e+06");  // a tie, rounded to even
    EXPECT_EQ(general_text(1e6f), "1e+06");
    EXPECT_EQ(general_text(1234567.0f), "1.23457e+06");
}

TEST(NumberText, SpreadAcrossAllFloatsMatchesTheStream) {
    int bad = 0;
    for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 40961) {
        bad += mismatches(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
    }
    std::mt19937 random(20261207);
    std::uniform_real_distribution<float> millimetres(-5000.0f, 5000.0f);
    for (int i = 0; i < 100000; ++i) {
        bad += mismatches(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
        bad += mismatches(millimetres(random));
    }
    EXPECT_EQ(bad, 0);
}

TEST(NumberText, ExactTiesRoundToEven) {
    // Odd eighths are exact and end in 5 at the third decimal: a tie of the
    // two-decimal form.  n + 0.5 for six-digit n is a tie of the general form.
    int bad = 0;
    for (int eighths = 1; eighths < (1 << 20); eighths += 2) bad += mismatches(eighths / 8.0f) + mismatches(-eighths / 8.0f);
    for (std::int32_t n = 100000; n < 100400; ++n) bad += mismatches(n + 0.5f);
    EXPECT_EQ(bad, 0);
}

TEST(NumberText, EdgesOfRoundingAndOfTheGeneralFormMatchTheStream) {
    int bad = 0;
    // Where the hundredths round over, and sizes the programs really hold.
    for (float centre : {0.005f, 0.995f, 1.0f, 2.675f, 99.995f, 600.0f, 65536.0f, 7.2e16f}) {
        bad += mismatches_around(centre, 3000);
    }
    // Powers of ten, where the number of decimals and the exponent change,
    // and the rounding boundaries of six significant digits.
    for (int exponent = -45; exponent <= 38; ++exponent) {
        bad += mismatches_around(static_cast<float>(std::pow(10.0, exponent)), 200);
        bad += mismatches_around(static_cast<float>(999999.5 * std::pow(10.0, exponent - 5)), 3);
    }
    EXPECT_EQ(bad, 0);
}

}  // namespace
