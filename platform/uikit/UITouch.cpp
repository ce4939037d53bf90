#include "platform/uikit/UITouch.hpp"

#include "platform/uikit/UIWindow.hpp"

UITouch::UITouch(std::shared_ptr<UIWindow> window, std::shared_ptr<UIView> view, CGPoint locationInWindow)
    : window_(std::move(window)), view_(std::move(view)), location_(locationInWindow)
{
}

CGPoint UITouch::inView(CGPoint locationInWindow, const UIView* view) const
{
    auto window = window_.lock();
    if (!view || !window) {
        return locationInWindow;
    }
    return window->convertPointToView(locationInWindow, view);
}

CGPoint UITouch::locationInView(const UIView* view) const
{
    return inView(location_, view);
}

void UITouch::moveTo(CGPoint locationInWindow, UITouchPhase phase)
{
    location_ = locationInWindow;
    phase_ = phase;
}
