#include "core/skin/Opacity.h"

#include <gtest/gtest.h>

namespace
{
TEST(Opacity, PercentBecomesIntegerAlpha)
{
    const struct
    {
        int nPercent;
        int nAlpha;
    } cases[] = {
        {100, 255}, {50, 127},  {1, 2},     {0, 0},  {99, 252},
        {101, 255}, {150, 255}, {255, 255}, {-1, 0}, {-1000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPercent);
        EXPECT_EQ(OpacityAlpha(c.nPercent), c.nAlpha);
    }
}

TEST(Opacity, AlphaRisesWithThePercentAndNeverRoundsUp)
{
    for (int nPercent = 1; nPercent <= 100; ++nPercent) {
        SCOPED_TRACE(nPercent);
        const int nAlpha = OpacityAlpha(nPercent);
        EXPECT_GT(nAlpha, OpacityAlpha(nPercent - 1));
        EXPECT_LE(nAlpha * 100, nPercent * 255);
        EXPECT_GT((nAlpha + 1) * 100, nPercent * 255);
    }
}
} // namespace
