#include "pixorama/platform/Assert.h"

#include <gtest/gtest.h>

namespace {

int checkedHalf(int even)
{
    PIX_ASSERT(even % 2 == 0, "checkedHalf is only given even numbers");
    return even / 2;
}

} // namespace

TEST(AssertDeathTest, AFailedAssertionSaysWhatWentWrongAndWhere)
{
    EXPECT_DEATH(plat::assertionFailed("n > 0", "the count is positive", "Here.cpp", 12),
                 "Here\\.cpp:12: the count is positive \\(n > 0\\)");
}

TEST(AssertDeathTest, TheMacroStopsOnlyDebugBuilds)
{
    EXPECT_EQ(checkedHalf(8), 4);
#ifdef NDEBUG
    EXPECT_EQ(checkedHalf(7), 3) << "release builds do not check";
#else
    EXPECT_DEATH(checkedHalf(7), "checkedHalf is only given even numbers \\(even % 2 == 0\\)");
#endif
}
