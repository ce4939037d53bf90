#include "Radixel/services/ThemeColor.hpp"

#include <memory>

#include "platform/foundation/ProcessLifetime.hpp"

// One process-wide colour, made by make on first use.
#define RADIXEL_THEME_COLOR(member, make)                                                                  \
    UIColor ThemeColor::member() {                                                                         \
        static ProcessShared<const UIColor> colour([] { return std::make_shared<const UIColor>(make); }); \
        return *colour.get();                                                                              \
    }

UIColor ThemeColor::makeSystemColor(UIColor (*named)()) { return named(); }

RADIXEL_THEME_COLOR(tertiaryBackground, makeSystemColor(&UIColor::tertiarySystemGroupedBackgroundColor))
RADIXEL_THEME_COLOR(gray, makeSystemColor(&UIColor::systemGrayColor))
RADIXEL_THEME_COLOR(label, makeSystemColor(&UIColor::labelColor))
RADIXEL_THEME_COLOR(lightText, UIColor::colorWithWhite(0.9, 1.0))
RADIXEL_THEME_COLOR(secondaryGray, makeSystemColor(&UIColor::systemGrayColor))
RADIXEL_THEME_COLOR(shadow, makeSystemColor(&UIColor::labelColor))
RADIXEL_THEME_COLOR(background, makeSystemColor(&UIColor::systemBackgroundColor))
RADIXEL_THEME_COLOR(textFieldBorder,
                    makeSystemColor(UITraitCollection::currentTraitCollection().isDark() ? &UIColor::systemGrayColor
                                                                                         : &UIColor::systemGray4Color))
