#include <gtest/gtest.h>

#include <climits>

#include "FitSize.h"

namespace {

struct Fit {
    std::int32_t width, height;
};

Fit FitInto(std::int32_t w, std::int32_t h, std::int32_t boxW, std::int32_t boxH)
{
    Fit fit{-7, -7};
    EXPECT_TRUE(FitSize(w, h, boxW, boxH, fit.width, fit.height)) << w << " x " << h;
    return fit;
}

}  // namespace

TEST(FitSize, KeepsShapeAndFillsTheBoxAlongOneSide)
{
    const struct {
        std::int32_t w, h, boxW, boxH, width, height;
    } cases[] = {
        {200, 100, 70, 70, 70, 35},
        {100, 200, 70, 70, 35, 70},
        {96, 96, 70, 70, 70, 70},
        {140, 70, 70, 70, 70, 35},
        {1000, 1, 70, 70, 70, 1},    // 0.07 rounds to 0, which becomes 1
        {1, 1000, 70, 70, 1, 70},
        {3, 2, 70, 70, 70, 47},      // 46.67 rounds up
        {200, 70, 70, 70, 70, 25},   // 24.5: halves round up
        {20, 10, 200, 200, 200, 100},  // small sources are enlarged: the caller decides
    };
    for (const auto& c : cases) {
        const Fit fit = FitInto(c.w, c.h, c.boxW, c.boxH);
        EXPECT_EQ(c.width, fit.width) << c.w << " x " << c.h;
        EXPECT_EQ(c.height, fit.height) << c.w << " x " << c.h;
    }
}

TEST(FitSize, SourceWithoutAreaLeavesTheOutputsAlone)
{
    for (const auto& source : {Fit{0, 100}, Fit{100, 0}, Fit{0, 0}}) {
        std::int32_t width = 11, height = 12;
        EXPECT_FALSE(FitSize(source.width, source.height, 70, 70, width, height));
        EXPECT_EQ(11, width);
        EXPECT_EQ(12, height);
    }
}

TEST(FitSize, HugeSidesDoNotOverflow)
{
    const Fit wide = FitInto(INT_MAX, 2, 70, 70);
    EXPECT_EQ(70, wide.width);
    EXPECT_EQ(1, wide.height);
    const Fit big = FitInto(100000, 50000, 70, 70);
    EXPECT_EQ(70, big.width);
    EXPECT_EQ(35, big.height);
}
