#pragma once

#include <optional>

#include "platform/uikit/UIColor.hpp"

// The brand palette. Each colour is made on first use and darkened for the dark interface style
// (ColorManager::adjustedColor with factor 0.7), so it keeps the style that was current then,
// also when the style changes later in the same process. A simulated restart makes them anew.
struct KeTuColor {
    KeTuColor() = delete;

    static constexpr CGFloat alpha = 1.0;

    static UIColor color1();
    static UIColor color2();
    static UIColor color3();
    static UIColor color4();
    // Clear, also passed through the adjustment (which keeps it clear in both styles).
    static UIColor color5();

    // View tags 101 to 105 name color1 to color5; other tags name none.
    static std::optional<UIColor> colorForTag(int tag);

    static UIColor makeColor(CGFloat red, CGFloat green, CGFloat blue);
};
