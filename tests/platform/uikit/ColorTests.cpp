#include <gtest/gtest.h>

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIImage.hpp"

namespace {

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

TEST(UIColor, DynamicColoursResolveInTheCurrentInterfaceStyleWhenReadAndEqualOnlyThemselves)
{
    UITraitCollection saved = UITraitCollection::currentTraitCollection();
    auto use = [](UIUserInterfaceStyle style) { UITraitCollection::setCurrentTraitCollection(UITraitCollection(style)); };
    UIColor faded = UIColor::labelColor().colorWithAlphaComponent(0.9);
    use(UIUserInterfaceStyle::Light);
    expectRGBA(UIColor::labelColor(), 0, 0, 0, 1);
    expectRGBA(faded, 0, 0, 0, 0.9);
    EXPECT_EQ(UIColor::systemBackgroundColor().cgColor(), (CGColor{1, 1, 1, 1}));
    EXPECT_EQ(UIColor::labelColor(), UIColor::labelColor());
    EXPECT_FALSE(UIColor::labelColor() == UIColor::blackColor());
    use(UIUserInterfaceStyle::Dark);
    expectRGBA(UIColor::labelColor(), 1, 1, 1, 1);
    expectRGBA(faded, 1, 1, 1, 0.9);
    EXPECT_EQ(UIColor::systemBackgroundColor().cgColor(), (CGColor{0, 0, 0, 1}));
    use(UIUserInterfaceStyle::Unspecified); // only Dark is dark
    expectRGBA(UIColor::labelColor(), 0, 0, 0, 1);
    UITraitCollection::setCurrentTraitCollection(saved);
}

TEST(UIColor, StaticColoursEqualByValueGreysHaveNoHueAndPatternsHaveNoComponents)
{
    EXPECT_EQ(UIColor::clearColor(), UIColor::colorWithWhite(0, 0));
    EXPECT_FALSE(UIColor::redColor() == UIColor::orangeColor());
    CGFloat h = -1, s = -1, b = -1, a = -1;
    ASSERT_TRUE(UIColor::whiteColor().getHue(&h, &s, &b, &a));
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(b, 1);

    UIColor pattern = UIColor::colorWithPatternImage(std::make_shared<UIImage>(CGSize{2, 2}, 1));
    CGFloat r = 0.5;
    EXPECT_FALSE(pattern.getRed(&r, nullptr, nullptr, nullptr));
    EXPECT_EQ(r, 0.5);
    EXPECT_FALSE(pattern.getHue(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(pattern.cgColor(), (CGColor{0, 0, 0, 0}));
}

TEST(UIFontAndUIImage, KnownNamesResolveAndUnknownOrUnsafeNamesGiveNone)
{
    for (const char* name : {"Avenir-Heavy", "Avenir-Book", "Avenir-Medium", "HelveticaNeue"}) {
        EXPECT_TRUE(UIFont::fontWithName(name, 14).has_value()) << name;
    }
    EXPECT_FALSE(UIFont::fontWithName("Avenier", 14).has_value());
    EXPECT_FALSE(UIFont::fontWithName("", 14).has_value());

    auto locked = UIImage::systemImageNamed("lock.fill");
    ASSERT_TRUE(locked);
    EXPECT_TRUE(locked->isSymbolImage());
    EXPECT_FALSE(UIImage::systemImageNamed("no.such.symbol"));
    for (const char* name : {"definitely_not_an_asset", "", "../../etc/passwd"}) {
        EXPECT_FALSE(UIImage::imageNamed(name)) << name;
    }
}
