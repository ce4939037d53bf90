#include <gtest/gtest.h>

#include "platform/render/FontResolver.hpp"
#include "platform/render/IconGlyphs.hpp"
#include "platform/render/TextDrawing.hpp"

using render::FontResolver;

TEST(FontResolver, NamedFontsMapToInstalledStandIns)
{
    EXPECT_EQ(FontResolver::familyFor(*UIFont::fontWithName("Avenir-Heavy", 15)), "Lato");
    EXPECT_EQ(FontResolver::weightFor(*UIFont::fontWithName("Avenir-Heavy", 15)), 800);
    EXPECT_EQ(FontResolver::weightFor(*UIFont::fontWithName("Avenir-Book", 15)), 400);
    EXPECT_EQ(FontResolver::weightFor(*UIFont::fontWithName("Avenir-Medium", 15)), 500);
    EXPECT_EQ(FontResolver::familyFor(*UIFont::fontWithName("HelveticaNeue", 15)), "Nimbus Sans");
    EXPECT_EQ(FontResolver::familyFor(UIFont::systemFontOfSize(17, UIFontWeightSemibold)), "Inter");
    EXPECT_EQ(FontResolver::weightFor(UIFont::systemFontOfSize(17, UIFontWeightSemibold)), 600);
    EXPECT_EQ(FontResolver::familyFor(UIFont::preferredFontForTextStyle(UIFontTextStyle::Title1)), "Inter");
    EXPECT_FALSE(UIFont::fontWithName("Avenier", 15));
    EXPECT_FALSE(FontResolver::isFamilyInstalled("Avenier"));
    EXPECT_TRUE(FontResolver::isFamilyInstalled("Material Icons"));
}

TEST(TextLayout, SizesFollowFontsLinesAndShrinking)
{
    render::TextStyle style;
    style.font = *UIFont::fontWithName("Avenir-Book", 20);
    CGSize one = render::measureText("Quadratic equation", style, 0);
    EXPECT_GT(one.width, 100);
    EXPECT_NEAR(one.height, 24, 4);  // sizes are points, not 96 dpi pixels

    style.numberOfLines = 2;
    style.lineBreakMode = NSLineBreakMode::ByTruncatingTail;
    CGSize two = render::measureText("one two three four five six seven eight nine ten eleven", style, 100);
    EXPECT_LE(two.width, 100);
    EXPECT_NEAR(two.height, 2 * one.height, 4);  // cut to two lines

    render::TextStyle shrinking = style;
    shrinking.numberOfLines = 1;
    shrinking.shrinkToFitWidth = true;
    EXPECT_LE(render::measureText("Quadratic equation", shrinking, 120).width, 121);

    // Bytes that are not UTF-8 are repaired rather than handed to Pango.
    EXPECT_GT(render::measureText(std::string("a\xff\xfe" "b"), style, 0).width, 0);
}

TEST(IconGlyphs, KnowsFrameworkIconsAndSymbols)
{
    EXPECT_EQ(render::IconGlyphs::codePointFor("ic_menu_white"), U'\uE5D2');
    EXPECT_EQ(render::IconGlyphs::codePointFor("ic_arrow_back_white"), U'\uE5C4');
    EXPECT_EQ(render::IconGlyphs::codePointFor("square.and.arrow.up"), U'\uE80D');
    EXPECT_FALSE(render::IconGlyphs::codePointFor("ic_nothing_white"));
    EXPECT_FALSE(render::IconGlyphs::codePointFor(""));
}
