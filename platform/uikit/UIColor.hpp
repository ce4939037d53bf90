#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UITraitCollection.hpp"

class UIImage;

// A resolved colour as layers keep it: device RGB with alpha, components 0...1.
struct CGColor {
    CGFloat red = 0;
    CGFloat green = 0;
    CGFloat blue = 0;
    CGFloat alpha = 0;
    friend bool operator==(const CGColor&, const CGColor&) = default;
};

// A colour value. Static colours hold components; dynamic ones (the system's semantic colours
// and those made with a provider) resolve against the current trait collection whenever they
// are read. Pattern colours have no RGB form.
class UIColor {
public:
    using Provider = std::function<UIColor(const UITraitCollection&)>;

    // Opaque black.
    UIColor();
    explicit UIColor(Provider provider);

    static UIColor colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    static UIColor colorWithWhite(CGFloat white, CGFloat alpha);
    static UIColor colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha);
    static UIColor colorWithDynamicProvider(Provider provider) { return UIColor(std::move(provider)); }
    static UIColor colorWithPatternImage(std::shared_ptr<UIImage> image);

    static UIColor blackColor();
    static UIColor whiteColor();
    static UIColor clearColor();
    static UIColor redColor();
    static UIColor orangeColor();
    static UIColor grayColor();
    static UIColor lightGrayColor();
    static UIColor darkGrayColor();
    static UIColor blueColor();
    static UIColor greenColor();
    static UIColor systemBlueColor();
    static UIColor systemRedColor();

    static UIColor labelColor();
    static UIColor systemBackgroundColor();
    static UIColor secondarySystemBackgroundColor();
    static UIColor tertiarySystemBackgroundColor();
    static UIColor systemGroupedBackgroundColor();
    static UIColor tertiarySystemGroupedBackgroundColor();
    static UIColor systemGrayColor();
    static UIColor systemGray4Color();
    static UIColor separatorColor();

    bool isDynamic() const { return static_cast<bool>(provider_); }
    bool isPattern() const { return static_cast<bool>(pattern_); }
    const std::shared_ptr<UIImage>& patternImage() const { return pattern_; }

    // The colour for the given traits; a static colour is its own resolution.
    UIColor resolvedColorWithTraitCollection(const UITraitCollection& traits) const;

    // Components of the colour resolved for the current traits. False, with the outputs left
    // alone, for a colour that has no RGB form.
    bool getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const;
    bool getHue(CGFloat* hue, CGFloat* saturation, CGFloat* brightness, CGFloat* alpha) const;

    UIColor colorWithAlphaComponent(CGFloat alpha) const;

    // Resolved for the current traits; a pattern colour gives transparent black.
    CGColor cgColor() const;

    std::string description() const;

    // Static colours compare by components; dynamic and pattern colours by identity, as the
    // platform's named colours do.
    friend bool operator==(const UIColor& a, const UIColor& b);

private:
    CGFloat red_ = 0;
    CGFloat green_ = 0;
    CGFloat blue_ = 0;
    CGFloat alpha_ = 1;
    std::shared_ptr<const Provider> provider_;
    std::shared_ptr<UIImage> pattern_;
};
