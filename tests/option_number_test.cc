// The size and feed rate options: read to the very float the option
// parser's own reading gives, and only when the whole text is the number.
#include "options/option_number.h"

#include <bit>
#include <cstdint>
#include <string>

#include <cxxopts.hpp>
#include <gtest/gtest.h>

namespace {

using veskaro::read_whole_number;

TEST(OptionNumber, AcceptedTextsGiveTheParsersFloatBitForBit) {
    const std::string texts[] = {
        "3.175", "1e-3", "-0", "0", ".5", "5.", "+2", "-1.5e+2", "1E5", " 3", "100", "0.1",
        "3.4028235e38",                                    // the largest float
        "3.40282356e38",                                   // rounds down to it
        "1e-45", "1e-50",                                  // the smallest subnormal, and below it: 0
        "3.14159265358979323846264338327950288419716939937510582097494459",
        "123456789012345678901234567890",
        "0." + std::string(300, '0') + "1",
        "0." + std::string(1000, '3'),
    };
    for (const std::string& text : texts) {
        float parsers = -1;
        EXPECT_NO_THROW(cxxopts::values::parse_value(text, parsers)) << text;
        float ours = -2;
        ASSERT_TRUE(read_whole_number(text, ours)) << text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(ours), std::bit_cast<std::uint32_t>(parsers)) << text;
    }
}

TEST(OptionNumber, TextAfterTheNumberIsRefused) {
    // The parser alone reads each of these as the number before the first
    // character it cannot take: 1, 3, 0, 3, 50, 1.5, 1e5, 2, 1.5.
    for (const std::string text : {"1,5", "3,175", "0x10", "3mm", "50cm", "1.5 ", "1e5x", "2..5", "1.5.2"}) {
        float value = 0;
        EXPECT_NO_THROW(cxxopts::values::parse_value(text, value)) << text;
        EXPECT_FALSE(read_whole_number(text, value)) << text;
    }
    // What the parser refuses stays refused.
    for (const std::string text : {"", ".", "-", "--3", "e5", "1e", "nan", "inf", "1e39", "-1e39", "abc"}) {
        float value = 0;
        EXPECT_THROW(cxxopts::values::parse_value(text, value), cxxopts::exceptions::incorrect_argument_type)
            << text;
        EXPECT_FALSE(read_whole_number(text, value)) << text;
    }
}

}  // namespace
