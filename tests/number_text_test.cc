#include "gcode/number_text.h"

#include <gtest/gtest.h>

TEST(NumberText, Placeholder) { EXPECT_EQ(veskaro::format_float_as_str(0.125, 2), "0.12"); }
