// The decimal texts of the console, the findings, the pictures and the
// programs write what printf's "%.*f" has always written for them, whatever
// the value: the pictures and figures of valid programs keep every byte.
#include "base/decimal_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

using veskaro::fixed_decimals;
using veskaro::fixed_decimals_zero_unsigned;
using veskaro::trimmed_decimals;

std::string printf_fixed(double value, int decimals) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

TEST(DecimalText, WritesWhatPrintfWrites) {
    // Random bit patterns cover every magnitude; values near the panels'
    // sizes and exact halves cover the rounding.
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        double value;
        if (i % 2 == 0) {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } else {
            value = static_cast<double>(static_cast<std::int64_t>(random() % 4000001) - 2000000) / 1024.0;
        }
        const int decimals = static_cast<int>(random() % 7);
        ASSERT_EQ(fixed_decimals(value, decimals), printf_fixed(value, decimals)) << value;
    }
}

TEST(DecimalText, EachFormWritesItsOwnText) {
    struct Row {
        double value;
        int decimals;
        const char* fixed;
        const char* zero_unsigned;
        const char* trimmed;
    };
    const Row rows[] = {
        {5, 2, "5.00", "5.00", "5"},
        {-0.004, 2, "-0.00", "0.00", "0"},
        {-0.0, 3, "-0.000", "0.000", "0"},
        {0.125, 2, "0.12", "0.12", "0.12"},  // an exact half goes to the even digit
        {12.5, 3, "12.500", "12.500", "12.5"},
        {-0.125, 3, "-0.125", "-0.125", "-0.125"},
        {2.62268e-07, 4, "0.0000", "0.0000", "0"},
        {9.99e-05, 4, "0.0001", "0.0001", "0.0001"},
        {1e6, 4, "1000000.0000", "1000000.0000", "1000000"},
        {200, 0, "200", "200", "200"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(fixed_decimals(row.value, row.decimals), row.fixed) << row.value;
        EXPECT_EQ(fixed_decimals_zero_unsigned(row.value, row.decimals), row.zero_unsigned) << row.value;
        EXPECT_EQ(trimmed_decimals(row.value, row.decimals), row.trimmed) << row.value;
    }
}

}  // namespace
