#include "platform/render/AlphaBlur.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace render {
namespace {

// Up to this deviation a three-tap kernel [a, 1 - 2a, a] has the right spread (a = sigma² / 2).
constexpr double widestThreeTap = 1.0;

// Box widths whose three passes in a row spread like a Gaussian of this deviation.
std::array<int, 3> boxWidthsFor(double sigma)
{
    constexpr int passes = 3;
    double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0) {
        --lower;
    }
    double narrowCount = (12 * sigma * sigma - passes * lower * lower - 4.0 * passes * lower - 3.0 * passes) / (-4.0 * lower - 4);
    int narrow = static_cast<int>(std::lround(narrowCount));
    std::array<int, 3> widths{};
    for (int i = 0; i < passes; ++i) {
        widths[i] = i < narrow ? lower : lower + 2;
    }
    return widths;
}

void threeTap(std::vector<float>& line, std::vector<float>& scratch, float side)
{
    auto n = line.size();
    for (std::size_t i = 0; i < n; ++i) {
        float before = i > 0 ? line[i - 1] : 0.0f;
        float after = i + 1 < n ? line[i + 1] : 0.0f;
        scratch[i] = side * (before + after) + (1 - 2 * side) * line[i];
    }
    line.swap(scratch);
}

void box(std::vector<float>& line, std::vector<float>& scratch, int width)
{
    auto n = static_cast<long>(line.size());
    long reach = width / 2;
    auto at = [&](long i) { return i >= 0 && i < n ? line[static_cast<std::size_t>(i)] : 0.0f; };
    float sum = 0;
    for (long i = -reach; i <= reach; ++i) {
        sum += at(i);
    }
    for (long i = 0; i < n; ++i) {
        scratch[static_cast<std::size_t>(i)] = sum / static_cast<float>(width);
        sum += at(i + reach + 1) - at(i - reach);
    }
    line.swap(scratch);
}

void soften(std::vector<float>& line, std::vector<float>& scratch, double sigma)
{
    if (sigma <= widestThreeTap) {
        threeTap(line, scratch, static_cast<float>(sigma * sigma / 2));
        return;
    }
    for (int width : boxWidthsFor(sigma)) {
        if (width > 1) {
            box(line, scratch, width);
        }
    }
}

} // namespace

void blurAlpha(unsigned char* pixels, int width, int height, int stride, double sigma)
{
    if (!pixels || width <= 0 || height <= 0 || !(sigma > 0) || !std::isfinite(sigma)) {
        return;
    }
    std::vector<float> line;
    std::vector<float> scratch;
    auto pass = [&](int lines, int length, long lineStep, long pixelStep) {
        line.resize(static_cast<std::size_t>(length));
        scratch.resize(static_cast<std::size_t>(length));
        for (int l = 0; l < lines; ++l) {
            unsigned char* first = pixels + l * lineStep;
            for (int i = 0; i < length; ++i) {
                line[static_cast<std::size_t>(i)] = first[i * pixelStep];
            }
            soften(line, scratch, sigma);
            for (int i = 0; i < length; ++i) {
                first[i * pixelStep] = static_cast<unsigned char>(std::clamp(std::lround(line[static_cast<std::size_t>(i)]), 0L, 255L));
            }
        }
    };
    pass(height, width, stride, 1);
    pass(width, height, 1, stride);
}

} // namespace render
