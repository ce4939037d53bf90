#include "platform/uikit/UIColor.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

CGFloat clamp01(CGFloat v)
{
    if (std::isnan(v)) {
        return 0;
    }
    return std::clamp(v, 0.0, 1.0);
}

UIColor rgb255(int r, int g, int b)
{
    return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1.0);
}

// Named dynamic colours are made once so that they compare equal to themselves.
UIColor lightDark(UIColor light, UIColor dark)
{
    return UIColor([light, dark](const UITraitCollection& traits) { return traits.isDark() ? dark : light; });
}

} // namespace

UIColor::UIColor() = default;

UIColor::UIColor(Provider provider)
{
    if (provider) {
        provider_ = std::make_shared<const Provider>(std::move(provider));
    }
}

UIColor UIColor::colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
{
    UIColor c;
    c.red_ = clamp01(red);
    c.green_ = clamp01(green);
    c.blue_ = clamp01(blue);
    c.alpha_ = clamp01(alpha);
    return c;
}

UIColor UIColor::colorWithWhite(CGFloat white, CGFloat alpha)
{
    return colorWithRed(white, white, white, alpha);
}

UIColor UIColor::colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha)
{
    CGFloat h = clamp01(hue);
    CGFloat s = clamp01(saturation);
    CGFloat v = clamp01(brightness);
    if (s == 0) {
        return colorWithRed(v, v, v, alpha);
    }
    CGFloat sector = (h >= 1.0 ? 0.0 : h) * 6.0;
    int i = static_cast<int>(std::floor(sector));
    CGFloat f = sector - i;
    CGFloat p = v * (1 - s);
    CGFloat q = v * (1 - s * f);
    CGFloat t = v * (1 - s * (1 - f));
    switch (i) {
    case 0: return colorWithRed(v, t, p, alpha);
    case 1: return colorWithRed(q, v, p, alpha);
    case 2: return colorWithRed(p, v, t, alpha);
    case 3: return colorWithRed(p, q, v, alpha);
    case 4: return colorWithRed(t, p, v, alpha);
    default: return colorWithRed(v, p, q, alpha);
    }
}

UIColor UIColor::colorWithPatternImage(std::shared_ptr<UIImage> image)
{
    UIColor c;
    c.pattern_ = image ? std::move(image) : std::shared_ptr<UIImage>();
    if (!c.pattern_) {
        // A pattern needs an image; without one the colour is simply clear.
        return clearColor();
    }
    return c;
}

UIColor UIColor::blackColor() { return colorWithWhite(0, 1); }
UIColor UIColor::whiteColor() { return colorWithWhite(1, 1); }
UIColor UIColor::clearColor() { return colorWithWhite(0, 0); }
UIColor UIColor::redColor() { return colorWithRed(1, 0, 0, 1); }
UIColor UIColor::orangeColor() { return colorWithRed(1, 0.5, 0, 1); }
UIColor UIColor::grayColor() { return colorWithWhite(0.5, 1); }
UIColor UIColor::lightGrayColor() { return colorWithWhite(2.0 / 3.0, 1); }
UIColor UIColor::darkGrayColor() { return colorWithWhite(1.0 / 3.0, 1); }
UIColor UIColor::blueColor() { return colorWithRed(0, 0, 1, 1); }
UIColor UIColor::greenColor() { return colorWithRed(0, 1, 0, 1); }
UIColor UIColor::systemBlueColor()
{
    static const UIColor c = lightDark(rgb255(0, 122, 255), rgb255(10, 132, 255));
    return c;
}

UIColor UIColor::systemRedColor()
{
    static const UIColor c = lightDark(rgb255(255, 59, 48), rgb255(255, 69, 58));
    return c;
}

UIColor UIColor::labelColor()
{
    static const UIColor c = lightDark(blackColor(), whiteColor());
    return c;
}

UIColor UIColor::systemBackgroundColor()
{
    static const UIColor c = lightDark(whiteColor(), blackColor());
    return c;
}

UIColor UIColor::secondarySystemBackgroundColor()
{
    static const UIColor c = lightDark(rgb255(242, 242, 247), rgb255(28, 28, 30));
    return c;
}

UIColor UIColor::tertiarySystemBackgroundColor()
{
    static const UIColor c = lightDark(whiteColor(), rgb255(44, 44, 46));
    return c;
}

UIColor UIColor::systemGroupedBackgroundColor()
{
    static const UIColor c = lightDark(rgb255(242, 242, 247), blackColor());
    return c;
}

UIColor UIColor::tertiarySystemGroupedBackgroundColor()
{
    static const UIColor c = lightDark(rgb255(242, 242, 247), rgb255(44, 44, 46));
    return c;
}

UIColor UIColor::systemGrayColor()
{
    static const UIColor c = lightDark(rgb255(142, 142, 147), rgb255(142, 142, 147));
    return c;
}

UIColor UIColor::systemGray4Color()
{
    static const UIColor c = lightDark(rgb255(209, 209, 214), rgb255(58, 58, 60));
    return c;
}

UIColor UIColor::separatorColor()
{
    static const UIColor c = lightDark(colorWithRed(60 / 255.0, 60 / 255.0, 67 / 255.0, 0.29),
                                       colorWithRed(84 / 255.0, 84 / 255.0, 88 / 255.0, 0.6));
    return c;
}

UIColor UIColor::resolvedColorWithTraitCollection(const UITraitCollection& traits) const
{
    if (!provider_) {
        return *this;
    }
    UIColor resolved = (*provider_)(traits);
    // A provider that answers with another dynamic colour is resolved through it, once.
    return resolved.provider_ ? (*resolved.provider_)(traits) : resolved;
}

bool UIColor::getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const
{
    UIColor c = resolvedColorWithTraitCollection(UITraitCollection::currentTraitCollection());
    if (c.pattern_ || c.provider_) {
        return false;
    }
    if (red) *red = c.red_;
    if (green) *green = c.green_;
    if (blue) *blue = c.blue_;
    if (alpha) *alpha = c.alpha_;
    return true;
}

bool UIColor::getHue(CGFloat* hue, CGFloat* saturation, CGFloat* brightness, CGFloat* alpha) const
{
    CGFloat r = 0, g = 0, b = 0, a = 0;
    if (!getRed(&r, &g, &b, &a)) {
        return false;
    }
    CGFloat maxC = std::max({r, g, b});
    CGFloat minC = std::min({r, g, b});
    CGFloat delta = maxC - minC;
    CGFloat h = 0;
    if (delta > 0) {
        if (maxC == r) {
            h = std::fmod((g - b) / delta, 6.0);
        } else if (maxC == g) {
            h = (b - r) / delta + 2;
        } else {
            h = (r - g) / delta + 4;
        }
        h /= 6.0;
        if (h < 0) {
            h += 1.0;
        }
    }
    if (hue) *hue = h;
    if (saturation) *saturation = maxC > 0 ? delta / maxC : 0;
    if (brightness) *brightness = maxC;
    if (alpha) *alpha = a;
    return true;
}

UIColor UIColor::colorWithAlphaComponent(CGFloat alpha) const
{
    if (provider_) {
        auto base = *this;
        return UIColor([base, alpha](const UITraitCollection& traits) {
            return base.resolvedColorWithTraitCollection(traits).colorWithAlphaComponent(alpha);
        });
    }
    UIColor c = *this;
    c.alpha_ = clamp01(alpha);
    return c;
}

CGColor UIColor::cgColor() const
{
    CGColor out;
    CGFloat r = 0, g = 0, b = 0, a = 0;
    if (getRed(&r, &g, &b, &a)) {
        out = {r, g, b, a};
    }
    return out;
}

std::string UIColor::description() const
{
    if (provider_) {
        return "<dynamic colour>";
    }
    if (pattern_) {
        return "<pattern colour>";
    }
    char buf[96];
    std::snprintf(buf, sizeof buf, "RGBA(%.4g, %.4g, %.4g, %.4g)", red_, green_, blue_, alpha_);
    return buf;
}

bool operator==(const UIColor& a, const UIColor& b)
{
    if (a.provider_ || b.provider_) {
        return a.provider_ == b.provider_;
    }
    if (a.pattern_ || b.pattern_) {
        return a.pattern_ == b.pattern_;
    }
    return a.red_ == b.red_ && a.green_ == b.green_ && a.blue_ == b.blue_ && a.alpha_ == b.alpha_;
}
