#pragma once

#include <memory>
#include <set>

#include "platform/uikit/CGGeometry.hpp"

class UIView;
class UIWindow;

enum class UITouchPhase : int { Began = 0, Moved = 1, Stationary = 2, Ended = 3, Cancelled = 4 };

// One finger on the screen, from the moment it comes down until it lifts. It stays with the view
// it came down on (view()) wherever it moves; its locations are kept in window coordinates and
// converted on request.
class UITouch {
public:
    UITouch(std::shared_ptr<UIWindow> window, std::shared_ptr<UIView> view, CGPoint locationInWindow);

    UITouchPhase phase() const { return phase_; }
    std::shared_ptr<UIView> view() const { return view_; }
    std::shared_ptr<UIWindow> window() const { return window_.lock(); }

    // In the view's bounds coordinates; in window coordinates for none.
    CGPoint locationInView(const UIView* view) const;

    // For whoever feeds the touch (the window host, the test harness).
    void moveTo(CGPoint locationInWindow, UITouchPhase phase);

private:
    CGPoint inView(CGPoint locationInWindow, const UIView* view) const;

    std::weak_ptr<UIWindow> window_;
    std::shared_ptr<UIView> view_;
    CGPoint location_;
    UITouchPhase phase_ = UITouchPhase::Began;
};

using UITouchSet = std::set<std::shared_ptr<UITouch>>;
