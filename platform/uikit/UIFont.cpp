#include "platform/uikit/UIFont.hpp"

#include <array>
#include <cmath>

namespace {

struct KnownFace {
    const char* name;
    const char* family;
    UIFontWeight weight;
};

constexpr std::array knownFaces{
    KnownFace{"Avenir-Book", "Avenir", UIFontWeightRegular},
    KnownFace{"Avenir-Roman", "Avenir", UIFontWeightRegular},
    KnownFace{"Avenir-Light", "Avenir", -0.4},
    KnownFace{"Avenir-Medium", "Avenir", UIFontWeightMedium},
    KnownFace{"Avenir-Heavy", "Avenir", UIFontWeightBold},
    KnownFace{"Avenir-Black", "Avenir", 0.62},
    KnownFace{"HelveticaNeue", "Helvetica Neue", UIFontWeightRegular},
    KnownFace{"HelveticaNeue-Medium", "Helvetica Neue", UIFontWeightMedium},
    KnownFace{"HelveticaNeue-Bold", "Helvetica Neue", UIFontWeightBold},
    KnownFace{"HelveticaNeue-Light", "Helvetica Neue", -0.4},
    KnownFace{"Helvetica", "Helvetica", UIFontWeightRegular},
    KnownFace{"Helvetica-Bold", "Helvetica", UIFontWeightBold},
    KnownFace{"Menlo-Regular", "Menlo", UIFontWeightRegular},
};

const KnownFace* findFace(const std::string& name)
{
    for (const auto& face : knownFaces) {
        if (name == face.name) {
            return &face;
        }
    }
    return nullptr;
}

CGFloat sanitisedSize(CGFloat size)
{
    // A zero, negative or non-finite size means "the default size", as it does on the platform.
    return (std::isfinite(size) && size > 0) ? size : 17.0;
}

} // namespace

UIFont::UIFont(std::string name, std::string family, CGFloat size, UIFontWeight weight, bool system)
    : fontName_(std::move(name)), familyName_(std::move(family)), pointSize_(sanitisedSize(size)), weight_(weight), system_(system)
{
}

bool UIFont::isKnownFontName(const std::string& name)
{
    return findFace(name) != nullptr;
}

std::optional<UIFont> UIFont::fontWithName(const std::string& name, CGFloat size)
{
    const KnownFace* face = findFace(name);
    if (!face) {
        return std::nullopt;
    }
    return UIFont(face->name, face->family, size, face->weight, false);
}

UIFont UIFont::systemFontOfSize(CGFloat size)
{
    return systemFontOfSize(size, UIFontWeightRegular);
}

UIFont UIFont::systemFontOfSize(CGFloat size, UIFontWeight weight)
{
    const char* name = weight >= UIFontWeightBold       ? ".SFUI-Bold"
                       : weight >= UIFontWeightSemibold ? ".SFUI-Semibold"
                       : weight >= UIFontWeightMedium   ? ".SFUI-Medium"
                                                        : ".SFUI-Regular";
    return UIFont(name, ".SF UI", size, weight, true);
}

UIFont UIFont::boldSystemFontOfSize(CGFloat size)
{
    return systemFontOfSize(size, UIFontWeightBold);
}

UIFont UIFont::preferredFontForTextStyle(UIFontTextStyle style)
{
    // Sizes of the default content-size category.
    switch (style) {
    case UIFontTextStyle::LargeTitle: return systemFontOfSize(34);
    case UIFontTextStyle::Title1: return systemFontOfSize(28);
    case UIFontTextStyle::Title2: return systemFontOfSize(22);
    case UIFontTextStyle::Title3: return systemFontOfSize(20);
    case UIFontTextStyle::Headline: return systemFontOfSize(17, UIFontWeightSemibold);
    case UIFontTextStyle::Body: return systemFontOfSize(17);
    case UIFontTextStyle::Callout: return systemFontOfSize(16);
    case UIFontTextStyle::Subheadline: return systemFontOfSize(15);
    case UIFontTextStyle::Footnote: return systemFontOfSize(13);
    case UIFontTextStyle::Caption1: return systemFontOfSize(12);
    case UIFontTextStyle::Caption2: return systemFontOfSize(11);
    }
    return systemFontOfSize(17);
}
