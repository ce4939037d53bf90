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
// or collection item selects it, a drag or the wheel moves the scroll view under the pointer
// that can move that way (with Ctrl held the wheel zooms, as a pinch does), a release on
// nothing that takes it leaves the editing field as it is, and a click on an alert's or share
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
    // The scroll view at or above the view that a movement by (dx, dy) scrolls: the innermost
    // enabled one with room to move in the movement's main direction; null when none has.
    static std::shared_ptr<UIScrollView> scrollViewFor(const std::shared_ptr<UIView>& view, double dx, double dy);

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
