#pragma once

#include <optional>
#include <string>

#include "platform/uikit/UIColor.hpp"

class CALayer;
class CosmosView;
class UIView;

// Colours the application's views: darkens palette colours for the dark interface style, styles
// whole view trees by their views' tags, and gives layers the theme's shadows. The styling reads
// the interface style each time it runs, so a screen restyles by calling it again.
//
// applyColors tests exact classes: a subclass of a listed class (a custom button, a cell's
// content view subclass) is left alone and not descended into, which keeps screens free to style
// their own views. Main thread only.
class ColorManager {
public:
    ColorManager() = delete;

    // Light style: the colour unchanged. Dark style: the brightness times factor, from the
    // colour's hue, saturation, brightness and alpha (a colour without that form reads as all 0,
    // so it comes back as transparent black).
    static UIColor adjustedColor(const UIColor& color, CGFloat factor);

    // Styles the root's subviews, recursively through plain views and stack views.
    static void applyColors(UIView& root);
    // Tags 101 to 105 set the palette background, tag 200 the translucent alpha; buttons get
    // light titles and tints; in the light style the layer gets a soft shadow.
    static void styleButton(UIView& view);
    // The filled stars by the view's tag; in the light style every star layer gets the shadow.
    static void styleLayers(CosmosView& view);
    static void applyShadow(CALayer& layer);
    // The soft grey shadow that buttons wear in the light style; the dark style leaves the layer
    // as it is.
    static void applyLightStyleShadow(CALayer& layer);
};

// "#rrggbb" of the colour's red, green and blue (each truncated from 0...255); none for a colour
// without an RGB form.
std::optional<std::string> hexString(const UIColor& color);
