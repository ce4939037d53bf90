#include "Radixel/services/KeTuColor.hpp"

#include <memory>

#include "Radixel/services/ColorManager.hpp"
#include "platform/foundation/ProcessLifetime.hpp"

namespace {

constexpr CGFloat darkFactor = 0.7;

}  // namespace

// One process-wide colour, made by make on first use.
#define RADIXEL_PALETTE_COLOR(member, make)                                                                \
    UIColor KeTuColor::member() {                                                                          \
        static ProcessShared<const UIColor> colour([] { return std::make_shared<const UIColor>(make); }); \
        return *colour.get();                                                                              \
    }

UIColor KeTuColor::makeColor(CGFloat red, CGFloat green, CGFloat blue) {
    return ColorManager::adjustedColor(UIColor::colorWithRed(red, green, blue, alpha), darkFactor);
}

RADIXEL_PALETTE_COLOR(color1, makeColor(0.07, 0.0, 0.37))
RADIXEL_PALETTE_COLOR(color2, makeColor(0.49, 0.26, 0.74))
RADIXEL_PALETTE_COLOR(color3, makeColor(0.29, 0.08, 0.55))
RADIXEL_PALETTE_COLOR(color4, makeColor(0.8, 0.86, 0.22))
RADIXEL_PALETTE_COLOR(color5, ColorManager::adjustedColor(UIColor::clearColor(), darkFactor))

std::optional<UIColor> KeTuColor::colorForTag(int tag) {
    switch (tag) {
        case 101: return color1();
        case 102: return color2();
        case 103: return color3();
        case 104: return color4();
        case 105: return color5();
        default: return std::nullopt;
    }
}
