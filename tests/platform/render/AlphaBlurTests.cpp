#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/render/AlphaBlur.hpp"

namespace {

struct Spread {
    double ink = 0;
    double meanX = 0, meanY = 0;
    double varianceX = 0, varianceY = 0;
};

Spread spreadOf(const std::vector<unsigned char>& pixels, int width, int height, int stride)
{
    Spread s;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double a = pixels[y * stride + x];
            s.ink += a;
            s.meanX += a * x;
            s.meanY += a * y;
        }
    }
    s.meanX /= s.ink;
    s.meanY /= s.ink;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double a = pixels[y * stride + x];
            s.varianceX += a * (x - s.meanX) * (x - s.meanX);
            s.varianceY += a * (y - s.meanY) * (y - s.meanY);
        }
    }
    s.varianceX /= s.ink;
    s.varianceY /= s.ink;
    return s;
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
            for (int x = 60 - side / 2; x <= 60 + side / 2; ++x) {
                pixels[y * stride + x] = 200;
            }
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
            for (int x = width; x < stride; ++x) {
                ASSERT_EQ(pixels[y * stride + x], 0) << "the padding past a row is not the image's";
            }
        }
    }
}

TEST(AlphaBlur, NoSpreadOrNoImageChangesNothing)
{
    std::vector<unsigned char> pixels{0, 255, 0, 0, 255, 0};
    for (double sigma : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
        render::blurAlpha(pixels.data(), 3, 2, 3, sigma);
        EXPECT_EQ(pixels, (std::vector<unsigned char>{0, 255, 0, 0, 255, 0}));
    }
    render::blurAlpha(nullptr, 3, 2, 3, 1.0);
    render::blurAlpha(pixels.data(), 0, 2, 3, 1.0);
}
