#include <gtest/gtest.h>
#include "notation.h"
TEST(Notation, Placeholder) { EXPECT_EQ(rivex::CheckDigits("12"), 0); }
