#include <gtest/gtest.h>

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIImage.hpp"

namespace {

struct StyleGuard {
    UITraitCollection saved = UITraitCollection::currentTraitCollection();
    ~StyleGuard() { UITraitCollection::setCurrentTraitCollection(saved); }
    void use(UIUserInterfaceStyle style) { UITraitCollection::setCurrentTraitCollection(UITraitCollection(style)); }
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

TEST(UIColor, DynamicColoursResolveInTheCurrentInterfaceStyleWhenRead)
{
    StyleGuard style;
    UIColor faded = UIColor::labelColor().colorWithAlphaComponent(0.9);
    style.use(UIUserInterfaceStyle::Light);
    expectRGBA(UIColor::labelColor(), 0, 0, 0, 1);
    expectRGBA(faded, 0, 0, 0, 0.9);
    EXPECT_EQ(UIColor::systemBackgroundColor().cgColor(), (CGColor{1, 1, 1, 1}));
    style.use(UIUserInterfaceStyle::Dark);
    expectRGBA(UIColor::labelColor(), 1, 1, 1, 1);
    expectRGBA(faded, 1, 1, 1, 0.9);
    EXPECT_EQ(UIColor::systemBackgroundColor().cgColor(), (CGColor{0, 0, 0, 1}));
    style.use(UIUserInterfaceStyle::Unspecified); // only Dark is dark
    expectRGBA(UIColor::labelColor(), 0, 0, 0, 1);
}

TEST(UIColor, GreysHaveNoHueAndPatternsHaveNoComponents)
{
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
}

TEST(UIImage, KnownSymbolsAreFoundAndUnknownOrUnsafeNamesGiveNoImage)
{
    auto locked = UIImage::systemImageNamed("lock.fill");
    ASSERT_TRUE(locked);
    EXPECT_EQ(locked->name(), "lock.fill");
    EXPECT_TRUE(locked->isSymbolImage());
    EXPECT_FALSE(UIImage::systemImageNamed("no.such.symbol"));
    for (const char* name : {"definitely_not_an_asset", "", "../../etc/passwd"}) {
        EXPECT_FALSE(UIImage::imageNamed(name)) << name;
    }
}
