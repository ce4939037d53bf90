#include "platform/uikit/UIScreen.hpp"

#include <cmath>

UIScreen& UIScreen::mainScreen()
{
    static UIScreen screen;
    return screen;
}

void UIScreen::configure(CGSize size, CGFloat scale)
{
    if (std::isfinite(size.width) && std::isfinite(size.height) && size.width > 0 && size.height > 0) {
        bounds_ = {0, 0, size.width, size.height};
    }
    if (std::isfinite(scale) && scale > 0) {
        scale_ = scale;
    }
}
