#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/render/UIGraphicsImageContext.hpp"
#include "platform/render/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"
#include "support/ScratchFolder.hpp"
#include "tests/platform/render/PixelProbe.hpp"

namespace {

std::shared_ptr<UIImage> solidImage(CGSize size, double scale, double r, double g, double b)
{
    UIGraphicsImageRendererFormat format;
    format.scale = scale;
    return UIGraphicsImageRenderer(size, format).imageWithActions([&](const UIGraphicsImageRendererContext& context) {
        cairo_set_source_rgb(context.CGContext(), r, g, b);
        context.fillRect({0, 0, size.width, size.height});
    });
}

// Stacks images top to bottom the way the share action does: one context as wide as the widest
// image and as tall as all of them, transparent, drawn in list order.
std::shared_ptr<UIImage> stackVertically(const std::vector<std::shared_ptr<UIImage>>& images, double scale)
{
    CGSize size;
    for (const auto& image : images) {
        size.width = std::max(size.width, image->size().width);
        size.height += image->size().height;
    }
    UIGraphicsBeginImageContextWithOptions(size, false, scale);
    double y = 0;
    for (const auto& image : images) {
        image->drawInRect({0, y, image->size().width, image->size().height});
        y += image->size().height;
    }
    auto stacked = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return stacked;
}

} // namespace

TEST(ImageStacking, SizeIsWidestRowBySumOfHeightsAndNarrowRowsLeaveTransparency)
{
    auto wide = solidImage({100, 20}, 2, 1, 0, 0);
    auto narrow = solidImage({60, 30}, 2, 0, 0, 1);
    auto stacked = stackVertically({wide, narrow}, 2);
    ASSERT_TRUE(stacked);
    EXPECT_EQ(stacked->size().width, 100);
    EXPECT_EQ(stacked->size().height, 50);
    EXPECT_EQ(stacked->scale(), 2);
    EXPECT_EQ(cairo_image_surface_get_width(stacked->CGImage()), 200);
    EXPECT_EQ(cairo_image_surface_get_height(stacked->CGImage()), 100);

    EXPECT_TRUE(isNear(pixelAt(*stacked, 10, 10), 255, 0, 0));   // first row
    EXPECT_TRUE(isNear(pixelAt(*stacked, 10, 60), 0, 0, 255));   // second row, below the first
    EXPECT_EQ(pixelAt(*stacked, 150, 60).a, 0);                  // right of the narrower row
    EXPECT_TRUE(isNear(pixelAt(*stacked, 119, 99), 0, 0, 255));  // the narrow row's last pixel
    EXPECT_EQ(pixelAt(*stacked, 120, 99).a, 0);
}

TEST(ImageStacking, NoImagesGiveNoImageAndContextsStayBalanced)
{
    EXPECT_FALSE(stackVertically({}, 0));
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();  // nothing open: no effect
    EXPECT_FALSE(UIGraphicsImageRenderer(CGSize{0, 0}).imageWithActions([](const auto&) { FAIL() << "actions must not run"; }));
    EXPECT_FALSE(UIGraphicsImageRenderer(CGSize{1e9, 10}).imageWithActions({}));
}

TEST(ImageContext, NestedContextsDrawIntoTheTopOne)
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
    EXPECT_TRUE(isNear(pixelAt(*inner, 1, 1), 0, 255, 0));
    EXPECT_EQ(pixelAt(*outerImage, 1, 1).a, 0);
}

TEST(ImagePNG, WritesAndReadsBackThePixelsInStraightColour)
{
    ScratchFolder folder;
    auto throughPNG = [&](const std::shared_ptr<UIImage>& image) -> std::shared_ptr<UIImage> {
        auto png = UIImagePNGRepresentation(image);
        if (!png)
            return nullptr;
        std::ofstream(folder.path() / "a.png", std::ios::binary)
            .write(reinterpret_cast<const char*>(png->data()), static_cast<std::streamsize>(png->size()));
        return UIImage::imageWithContentsOfFile(folder.path() / "a.png", 1);
    };
    auto read = throughPNG(solidImage({3, 2}, 1, 0, 0.5, 1));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size().width, 3);
    EXPECT_EQ(read->size().height, 2);
    EXPECT_TRUE(isNear(pixelAt(*read, 2, 1), 0, 128, 255));

    // Translucent and fully transparent pixels keep their straight colour and alpha.
    UIGraphicsBeginImageContextWithOptions({2, 1}, false, 1);
    cairo_set_source_rgba(UIGraphicsGetCurrentContext(), 1, 0.5, 0, 0.25);
    cairo_rectangle(UIGraphicsGetCurrentContext(), 0, 0, 1, 1);
    cairo_fill(UIGraphicsGetCurrentContext());
    read = throughPNG(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();
    ASSERT_TRUE(read);
    EXPECT_TRUE(isNear(pixelAt(*read, 0, 0), 255, 128, 0, 64, 6));
    EXPECT_EQ(pixelAt(*read, 1, 0).a, 0);

    EXPECT_FALSE(UIImagePNGRepresentation(nullptr));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/nonexistent/none.png"));
    EXPECT_FALSE(UIImage::systemImageNamed("checkmark")->CGImage());  // symbols are drawn by name
}
