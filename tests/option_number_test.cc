// The numeric options of every program: read to the very number the option
// parser's own reading gives, and only when the whole text is the number.
#include "base/option_number.h"

#include <bit>
#include <cstdint>
#include <string>

#include <cxxopts.hpp>
#include <gtest/gtest.h>

namespace {

using veskaro::read_whole_number;

template <typename T>
auto bits_of(T value) {
    if constexpr (sizeof(T) == 4) {
        return std::bit_cast<std::uint32_t>(value);
    } else {
        return std::bit_cast<std::uint64_t>(value);
    }
}

template <typename T>
class OptionNumber : public ::testing::Test {};

using NumberTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(OptionNumber, NumberTypes);

TYPED_TEST(OptionNumber, AcceptedTextsGiveTheParsersNumberBitForBit) {
    const std::string texts[] = {
        "3.175", "1e-3", "-0", "0", ".5", "5.", "+2", "-1.5e+2", "1E5", " 3", "100", "0.1",
        "3.4028235e38",                                    // the largest float
        "3.40282356e38",                                   // rounds down to it
        "1e-45", "1e-50",                                  // the smallest subnormal float, and below it: 0
        "1.7976931348623157e308", "4.9e-324", "1e-400",    // the same for a double
        "3.14159265358979323846264338327950288419716939937510582097494459",
        "123456789012345678901234567890",
        "0." + std::string(300, '0') + "1",
        "0." + std::string(1000, '3'),
    };
    for (const std::string& text : texts) {
        if (sizeof(TypeParam) == 4 && text.find("e308") != std::string::npos) continue;
        TypeParam parsers = -1;
        EXPECT_NO_THROW(cxxopts::values::parse_value(text, parsers)) << text;
        TypeParam ours = -2;
        ASSERT_TRUE(read_whole_number(text, ours)) << text;
        EXPECT_EQ(bits_of(ours), bits_of(parsers)) << text;
    }
}

TYPED_TEST(OptionNumber, TextAfterTheNumberIsRefused) {
    // The parser alone reads each of these as the number before the first
    // character it cannot take: 1, 3, 0, 3, 50, 12, 1.5, 1e5, 2, 1.5, 2.
    for (const std::string text : {"1,5", "3,175", "0x10", "3mm", "50cm", "12k", "1.5 ", "1e5x", "2..5", "1.5.2",
                                   "2s"}) {
        TypeParam value = 0;
        EXPECT_NO_THROW(cxxopts::values::parse_value(text, value)) << text;
        EXPECT_FALSE(read_whole_number(text, value)) << text;
    }
    // What the parser refuses stays refused.
    for (const std::string text : {"", ".", "-", "--3", "e5", "1e", "nan", "inf", "1e309", "-1e309", "abc"}) {
        TypeParam value = 0;
        EXPECT_THROW(cxxopts::values::parse_value(text, value), cxxopts::exceptions::incorrect_argument_type)
            << text;
        EXPECT_FALSE(read_whole_number(text, value)) << text;
    }
}

// A float holds less than a double: what is beyond it is refused, not read
// as the largest float.
TEST(OptionNumberFloat, BeyondSinglePrecisionIsRefused) {
    for (const std::string text : {"1e39", "-1e39", "3.4028236e38"}) {
        float value = 0;
        EXPECT_FALSE(read_whole_number(text, value)) << text;
        double wide = 0;
        EXPECT_TRUE(read_whole_number(text, wide)) << text;
    }
}

}  // namespace
