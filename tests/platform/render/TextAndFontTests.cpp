#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "platform/render/FontResolver.hpp"
#include "platform/render/IconGlyphs.hpp"
#include "platform/render/TextDrawing.hpp"

using render::FontResolver;

TEST(FontResolver, NamedFontsMapToInstalledStandInsOfTheirWeight)
{
    struct Case {
        std::optional<UIFont> font;
        const char* family;
        int weight;
    };
    const Case cases[] = {
        {UIFont::fontWithName("Avenir-Heavy", 15), "Lato", 800}, {UIFont::fontWithName("Avenir-Book", 15), "Lato", 400},
        {UIFont::fontWithName("Avenir-Medium", 15), "Lato", 500}, {UIFont::fontWithName("HelveticaNeue", 15), "Nimbus Sans", 400},
        {UIFont::systemFontOfSize(17, UIFontWeightSemibold), "Inter", 600},
        {UIFont::preferredFontForTextStyle(UIFontTextStyle::Title1), "Inter", 400},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.font) << c.family;
        EXPECT_EQ(FontResolver::familyFor(*c.font), c.family) << c.font->fontName();
        EXPECT_EQ(FontResolver::weightFor(*c.font), c.weight) << c.font->fontName();
    }
    EXPECT_FALSE(UIFont::fontWithName("Avenier", 15));
    for (CGFloat unusable : {0.0, -4.0, std::nan("")}) // no size: the text size the screens are made for
        EXPECT_EQ(UIFont::fontWithName("Avenir-Book", unusable)->pointSize(), 17) << unusable;
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
    for (auto mode : {NSLineBreakMode::ByTruncatingTail, NSLineBreakMode::ByWordWrapping}) {
        style.lineBreakMode = mode;
        CGSize two = render::measureText("one two three four five six seven eight nine ten eleven", style, 100);
        EXPECT_LE(two.width, 100);
        EXPECT_NEAR(two.height, 2 * one.height, 4);  // cut to two lines
    }

    render::TextStyle shrinking = style;
    shrinking.numberOfLines = 1;
    shrinking.shrinkToFitWidth = true;
    EXPECT_NEAR(render::measureText("Quadratic equation", shrinking, 120).width, 120, 3);

    render::TextLayout ab("ab", style, 0);
    EXPECT_GT(ab.xOfCharacter(2), ab.xOfCharacter(1)); // a caret after the last character follows it
    // Bytes that are not UTF-8 are repaired rather than handed to Pango.
    EXPECT_GT(render::measureText(std::string("a\xff\xfe" "b"), style, 0).width, 0);
}

TEST(IconGlyphs, SymbolNamesMapToTheirIconAndUnknownNamesToNone)
{
    EXPECT_EQ(render::IconGlyphs::codePointFor("ic_arrow_back_white"), U'\uE5C4');
    EXPECT_EQ(render::IconGlyphs::codePointFor("square.and.arrow.up"), U'\uE80D');  // share
    EXPECT_FALSE(render::IconGlyphs::codePointFor("ic_nothing_white"));
    EXPECT_FALSE(render::IconGlyphs::codePointFor(""));
}
