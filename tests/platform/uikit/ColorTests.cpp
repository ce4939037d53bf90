#include <gtest/gtest.h>

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIImage.hpp"

namespace {

struct StyleGuard {
    UITraitCollection saved = UITraitCollection::currentTraitCollection();
    ~StyleGuard() { UITraitCollection::setCurrentTraitCollection(saved); }
};

void expectRGBA(const UIColor& c, double r, double g, double b, double a)
{
    CGFloat cr = -1, cg = -1, cb = -1, ca = -1;
    ASSERT_TRUE(c.getRed(&cr, &cg, &cb, &ca));
    EXPECT_NEAR(cr, r, 1e-9);
    EXPECT_NEAR(cg, g, 1e-9);
    EXPECT_NEAR(cb, b, 1e-9);
    EXPECT_NEAR(ca, a, 1e-9);
}

} // namespace

TEST(UIColor, DynamicColoursFollowTheCurrentInterfaceStyle)
{
    StyleGuard guard;
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Light));
    expectRGBA(UIColor::labelColor(), 0, 0, 0, 1);
    expectRGBA(UIColor::systemBackgroundColor(), 1, 1, 1, 1);
    expectRGBA(UIColor::systemGray4Color(), 209 / 255.0, 209 / 255.0, 214 / 255.0, 1);
    expectRGBA(UIColor::tertiarySystemGroupedBackgroundColor(), 242 / 255.0, 242 / 255.0, 247 / 255.0, 1);
    EXPECT_EQ(UIColor::systemBackgroundColor().cgColor(), (CGColor{1, 1, 1, 1}));

    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Dark));
    expectRGBA(UIColor::labelColor(), 1, 1, 1, 1);
    expectRGBA(UIColor::systemBackgroundColor(), 0, 0, 0, 1);
    expectRGBA(UIColor::systemGray4Color(), 58 / 255.0, 58 / 255.0, 60 / 255.0, 1);
    expectRGBA(UIColor::systemGrayColor(), 142 / 255.0, 142 / 255.0, 147 / 255.0, 1);

    // Only the value 2 is dark.
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Unspecified));
    expectRGBA(UIColor::labelColor(), 0, 0, 0, 1);
}

TEST(UIColor, AlphaOfADynamicColourResolvesLate)
{
    StyleGuard guard;
    UIColor faded = UIColor::labelColor().colorWithAlphaComponent(0.9);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Dark));
    expectRGBA(faded, 1, 1, 1, 0.9);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Light));
    expectRGBA(faded, 0, 0, 0, 0.9);
}

TEST(UIColor, HueSaturationBrightnessRoundTrip)
{
    UIColor color1 = UIColor::colorWithRed(0.07, 0.0, 0.37, 1.0);
    CGFloat h = 0, s = 0, b = 0, a = 0;
    ASSERT_TRUE(color1.getHue(&h, &s, &b, &a));
    EXPECT_NEAR(b, 0.37, 1e-12);
    UIColor darker = UIColor::colorWithHue(h, s, b * 0.7, a);
    expectRGBA(darker, 0.049, 0.0, 0.259, 1.0);

    // Greys have no hue; white has full brightness.
    ASSERT_TRUE(UIColor::whiteColor().getHue(&h, &s, &b, &a));
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(b, 1);
    expectRGBA(UIColor::orangeColor(), 1, 0.5, 0, 1);
    expectRGBA(UIColor::colorWithWhite(0.9, 1.0), 0.9, 0.9, 0.9, 1.0);
}

TEST(UIColor, PatternColoursHaveNoRGBForm)
{
    UIColor pattern = UIColor::colorWithPatternImage(std::make_shared<UIImage>(CGSize{2, 2}, 1));
    CGFloat r = 0.5;
    EXPECT_FALSE(pattern.getRed(&r, nullptr, nullptr, nullptr));
    EXPECT_EQ(r, 0.5);
    EXPECT_FALSE(pattern.getHue(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(pattern.cgColor(), (CGColor{0, 0, 0, 0}));
}

TEST(UIColor, EqualityIsByValueForStaticAndByIdentityForDynamicColours)
{
    EXPECT_EQ(UIColor::clearColor(), UIColor::colorWithWhite(0, 0));
    EXPECT_EQ(UIColor::labelColor(), UIColor::labelColor());
    EXPECT_FALSE(UIColor::labelColor() == UIColor::blackColor());
    EXPECT_FALSE(UIColor::redColor() == UIColor::orangeColor());
}

TEST(UIFont, KnownNamesResolveAndUnknownNamesGiveNone)
{
    for (const char* name : {"Avenir-Heavy", "Avenir-Book", "Avenir-Medium", "HelveticaNeue"}) {
        auto font = UIFont::fontWithName(name, 14);
        ASSERT_TRUE(font.has_value()) << name;
        EXPECT_EQ(font->fontName(), name);
        EXPECT_EQ(font->pointSize(), 14);
    }
    EXPECT_FALSE(UIFont::fontWithName("Avenier", 14).has_value());
    EXPECT_FALSE(UIFont::fontWithName("", 14).has_value());

    UIFont semibold = UIFont::systemFontOfSize(20, UIFontWeightSemibold);
    EXPECT_TRUE(semibold.isSystemFont());
    EXPECT_EQ(semibold.weight(), 0.3);
    EXPECT_EQ(UIFont::preferredFontForTextStyle(UIFontTextStyle::Title1).pointSize(), 28);
    EXPECT_EQ(UIFont::preferredFontForTextStyle(UIFontTextStyle::Body).pointSize(), 17);
}

TEST(UIImage, SystemSymbolsAreIdentifiableAndUnknownOnesAbsent)
{
    auto locked = UIImage::systemImageNamed("lock.fill");
    ASSERT_TRUE(locked);
    EXPECT_EQ(locked->name(), "lock.fill");
    EXPECT_TRUE(locked->isSymbolImage());
    ASSERT_TRUE(UIImage::systemImageNamed("lock.open.fill"));
    EXPECT_FALSE(UIImage::systemImageNamed("no.such.symbol"));
}

TEST(UIImage, MissingOrUnsafeAssetNamesGiveNoImage)
{
    EXPECT_FALSE(UIImage::imageNamed("definitely_not_an_asset"));
    EXPECT_FALSE(UIImage::imageNamed(""));
    EXPECT_FALSE(UIImage::imageNamed("../../etc/passwd"));
}
