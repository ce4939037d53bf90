#pragma once

#include <optional>
#include <string>

#include "platform/uikit/CGGeometry.hpp"

using UIFontWeight = CGFloat;
inline constexpr UIFontWeight UIFontWeightRegular = 0.0;
inline constexpr UIFontWeight UIFontWeightMedium = 0.23;
inline constexpr UIFontWeight UIFontWeightSemibold = 0.3;
inline constexpr UIFontWeight UIFontWeightBold = 0.4;

enum class UIFontTextStyle { LargeTitle, Title1, Title2, Title3, Headline, Body, Callout, Subheadline, Footnote, Caption1, Caption2 };

// A font by PostScript name and size. Only the faces the application names are known; the
// drawing layer maps them to installed fonts. An unknown name gives no font, as on the platform.
class UIFont {
public:
    static std::optional<UIFont> fontWithName(const std::string& name, CGFloat size);
    static UIFont systemFontOfSize(CGFloat size);
    static UIFont systemFontOfSize(CGFloat size, UIFontWeight weight);
    static UIFont boldSystemFontOfSize(CGFloat size);
    static UIFont preferredFontForTextStyle(UIFontTextStyle style);

    // Whether fontWithName knows the name.
    static bool isKnownFontName(const std::string& name);

    const std::string& fontName() const { return fontName_; }
    const std::string& familyName() const { return familyName_; }
    CGFloat pointSize() const { return pointSize_; }
    UIFontWeight weight() const { return weight_; }
    bool isSystemFont() const { return system_; }

    friend bool operator==(const UIFont&, const UIFont&) = default;

private:
    UIFont(std::string name, std::string family, CGFloat size, UIFontWeight weight, bool system);

    std::string fontName_;
    std::string familyName_;
    CGFloat pointSize_ = 17;
    UIFontWeight weight_ = UIFontWeightRegular;
    bool system_ = false;
};
