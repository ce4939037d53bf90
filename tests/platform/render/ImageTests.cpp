#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/render/ImageDrawing.hpp"
#include "platform/render/UIGraphicsImageContext.hpp"
#include "platform/render/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"
#include "support/ScratchFolder.hpp"
#include "tests/platform/render/PixelProbe.hpp"

// As the share picture is stacked: images drawn into a wider context keep their pixels up to
// their own edges, and the rest stays transparent.
TEST(ImageContext, ImagesDrawnIntoAWiderContextKeepTheirEdgesAndLeaveTheRestClear)
{
    UIGraphicsBeginImageContextWithOptions({100, 50}, false, 2);
    solidImage({100, 20}, 2, 1, 0, 0)->drawInRect({0, 0, 100, 20});
    solidImage({60, 30}, 2, 0, 0, 1)->drawAtPoint({0, 20});
    auto stacked = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(stacked);
    EXPECT_EQ(cairo_image_surface_get_width(stacked->CGImage()), 200);
    EXPECT_EQ(cairo_image_surface_get_height(stacked->CGImage()), 100);
    EXPECT_EQ(cairo_image_surface_get_width(solidImage({10.5, 1}, 1, 0, 0, 0)->CGImage()), 11); // a part pixel is a whole one
    expectPixels(*stacked, {{10, 10, kRed}, {10, 60, kBlue}, {150, 60, kClear}, {119, 99, kBlue}, {120, 99, kClear}});
}

TEST(ImageContext, NestedContextsDrawIntoTheTopOneAndStayBalanced)
{
    UIGraphicsBeginImageContextWithOptions({4, 4}, false, 1);
    cairo_t* outer = UIGraphicsGetCurrentContext();
    UIGraphicsBeginImageContextWithOptions({2, 2}, false, 1);
    cairo_set_source_rgb(UIGraphicsGetCurrentContext(), 0, 1, 0);
    cairo_paint(UIGraphicsGetCurrentContext());
    auto inner = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), outer);
    auto outerImage = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    expectPixels(*inner, {{1, 1, kGreen}});
    expectPixels(*outerImage, {{1, 1, kClear}});

    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();  // nothing open: no effect
    EXPECT_FALSE(UIGraphicsImageRenderer(CGSize{0, 0}).imageWithActions([](const auto&) { FAIL() << "actions must not run"; }));
    EXPECT_FALSE(UIGraphicsImageRenderer(CGSize{1e9, 10}).imageWithActions({}));
}

TEST(ImagePNG, WritesAndReadsBackThePixelsInStraightColour)
{
    ScratchFolder folder;
    auto throughPNG = [&](const std::shared_ptr<UIImage>& image) -> std::shared_ptr<UIImage> {
        auto png = UIImagePNGRepresentation(image).value_or(std::vector<unsigned char>{});  // an empty file reads as no image
        std::ofstream(folder.path() / "a.png", std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        return UIImage::imageWithContentsOfFile(folder.path() / "a.png", 1);
    };
    auto read = throughPNG(solidImage({3, 2}, 1, 0, 0.5, 1));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), (CGSize{3, 2}));
    expectPixels(*read, {{2, 1, {0, 128, 255, 255}}});

    // Translucent and fully transparent pixels keep their straight colour and alpha.
    UIGraphicsBeginImageContextWithOptions({2, 1}, false, 1);
    cairo_set_source_rgba(UIGraphicsGetCurrentContext(), 1, 0.5, 0, 0.25);
    cairo_rectangle(UIGraphicsGetCurrentContext(), 0, 0, 1, 1);
    cairo_fill(UIGraphicsGetCurrentContext());
    read = throughPNG(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();
    ASSERT_TRUE(read);
    expectPixels(*read, {{0, 0, {255, 128, 0, 64}, 6}, {1, 0, kClear}});

    EXPECT_FALSE(UIImagePNGRepresentation(nullptr));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/nonexistent/none.png"));
    EXPECT_FALSE(UIImage::systemImageNamed("checkmark")->CGImage());  // symbols are drawn by name
}

TEST(ImageDrawing, ContentModesPlaceA20PointImageInItsBox)
{
    using Mode = UIViewContentMode;
    const CGRect box{10, 20, 100, 50};
    for (auto [mode, rect] : std::vector<std::pair<Mode, CGRect>>{
             {Mode::ScaleToFill, box}, {Mode::ScaleAspectFit, {35, 20, 50, 50}}, {Mode::ScaleAspectFill, {10, -5, 100, 100}},
             {Mode::Center, {50, 35, 20, 20}}, {Mode::Top, {50, 20, 20, 20}}, {Mode::Bottom, {50, 50, 20, 20}},
             {Mode::Left, {10, 35, 20, 20}}, {Mode::Right, {90, 35, 20, 20}}, {Mode::TopLeft, {10, 20, 20, 20}},
             {Mode::TopRight, {90, 20, 20, 20}}, {Mode::BottomLeft, {10, 50, 20, 20}}, {Mode::BottomRight, {90, 50, 20, 20}}}) {
        EXPECT_EQ(render::imageRectForContentMode({20, 20}, box, mode), rect) << int(mode);
    }
}
