#pragma once

#include <memory>
#include <optional>

#include "platform/uikit/TouchTracker.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace render {

// Turns pointer input in window coordinates into what fingers do: a press highlights the
// control under it, a release inside it is a touch-up-inside (tap), a release on a table row
// or collection item selects it, a drag moves the scroll view under the press, the wheel
// scrolls (with Ctrl held it zooms, as a pinch does), and a click on an alert's or share
// sheet's button chooses it. What views follow themselves comes first (uikit::TouchTracker: a
// star rating, a row's swipe to delete or its reorder drag, hiding a shown Delete button); a
// touch taken there is no tap and no scroll. Every method answers whether the interface may
// have changed.
class TouchRouter {
public:
    explicit TouchRouter(std::shared_ptr<UIWindow> window) : window_(std::move(window)) {}

    bool press(CGPoint point);
    bool move(CGPoint point);
    bool release(CGPoint point);
    // Positive dy scrolls the content down (towards its start), as a wheel turned up does.
    bool wheel(CGPoint point, double dx, double dy);
    // The wheel with Ctrl held, the window's pinch: the nearest scroll view under the point whose
    // delegate gives a zooming view zooms in (positive steps) or out, within its zoom limits,
    // keeping the content under the pointer where it is.
    bool zoom(CGPoint point, double steps);

    // The deepest visible view that takes touches at the point; null outside the window.
    static std::shared_ptr<UIView> hitTest(const std::shared_ptr<UIView>& root, CGPoint point);
    // The point (in root coordinates) in the view's bounds coordinates.
    static CGPoint convertToView(const UIView& root, const UIView& view, CGPoint point);

private:
    bool releaseOnDialog(CGPoint point);
    static void scrollBy(UIScrollView& scrollView, double dx, double dy);

    std::shared_ptr<UIWindow> window_;
    uikit::TouchTracker tracker_;
    std::shared_ptr<UIView> pressedView_;
    std::shared_ptr<UIControl> pressedControl_;
    std::shared_ptr<UIScrollView> scrollView_;
    CGPoint start_;
    CGPoint last_;
    bool dragging_ = false;
};

} // namespace render
