#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/render/AlphaBlur.hpp"

namespace {

// The ink of an image, its centre and its variance each way.
struct Spread {
    double ink = 0, meanX = 0, meanY = 0, varianceX = 0, varianceY = 0;
};

Spread spreadOf(const std::vector<unsigned char>& pixels, int width, int height, int stride)
{
    double ink = 0, sumX = 0, sumY = 0, sumXX = 0, sumYY = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double a = pixels[y * stride + x];
            ink += a;
            sumX += a * x;
            sumY += a * y;
            sumXX += a * x * x;
            sumYY += a * y * y;
        }
    }
    const double meanX = sumX / ink, meanY = sumY / ink;
    return {ink, meanX, meanY, sumXX / ink - meanX * meanX, sumYY / ink - meanY * meanY};
}

} // namespace

// A square of ink in the middle of a padded image (the stride wider than a row) spreads as a
// Gaussian would: the ink stays, its centre stays, and its variance grows by sigma² each way.
TEST(AlphaBlur, SpreadsInkLikeAGaussianWithoutMovingOrLosingIt)
{
    const int width = 121, height = 101, stride = 128, side = 9;
    for (double sigma : {0.5, 1.0, 1.5, 4.0, 12.0}) {
        SCOPED_TRACE(sigma);
        std::vector<unsigned char> pixels(stride * height, 0);
        for (int y = 50 - side / 2; y <= 50 + side / 2; ++y) {
            std::fill_n(pixels.begin() + y * stride + 60 - side / 2, side, 200);
        }
        Spread before = spreadOf(pixels, width, height, stride);
        render::blurAlpha(pixels.data(), width, height, stride, sigma);
        Spread after = spreadOf(pixels, width, height, stride);

        EXPECT_NEAR(after.ink, before.ink, before.ink * 0.03);
        EXPECT_NEAR(after.meanX, before.meanX, 0.05);
        EXPECT_NEAR(after.meanY, before.meanY, 0.05);
        EXPECT_NEAR(after.varianceX - before.varianceX, sigma * sigma, 0.25 * sigma * sigma + 0.1);
        EXPECT_NEAR(after.varianceY - before.varianceY, sigma * sigma, 0.25 * sigma * sigma + 0.1);
        for (int y = 0; y < height; ++y) {
            ASSERT_EQ(std::count(pixels.begin() + y * stride + width, pixels.begin() + (y + 1) * stride, 0), stride - width)
                << "the padding past a row is not the image's";
        }
    }
}
