#pragma once

#include <memory>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UIAdaptivePresentationControllerDelegate.hpp"

class UIControl;
class UIView;
class UIViewController;

// A popover: where it points (a source view and a rectangle in it) and, while it is shown, the
// container that holds the presented controller's view. On a phone a popover adapts to a
// full-screen presentation unless its delegate answers None (or another style).
//
// Shown as a popover, the presented view sits in a content view inside the container:
//     container (rounded by its mask view, which is backed by a CAShapeLayer)
//       content view (the container's bounds)
//         presented controller's view (the content view's bounds)
// The container has the presented controller's preferred content size (320 × 320 when it
// prefers none; never more than the window's safe area allows), below the source rectangle when
// it fits there, otherwise above it, otherwise on the side with more room, centred on the source
// and kept inside the safe area, 8 points from its edges. Below the container a clear backdrop
// covers the window: a tap anywhere outside the popover dismisses it and reaches nothing else.
class UIPopoverPresentationController {
public:
    std::shared_ptr<UIAdaptivePresentationControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<UIAdaptivePresentationControllerDelegate>& delegate) { delegate_ = delegate; }

    std::shared_ptr<UIView> sourceView() const { return sourceView_.lock(); }
    void setSourceView(const std::shared_ptr<UIView>& view) { sourceView_ = view; }
    CGRect sourceRect() const { return sourceRect_; }
    void setSourceRect(const CGRect& rect) { sourceRect_ = rect; }

    // The container while the popover is shown as one; null otherwise.
    const std::shared_ptr<UIView>& containerView() const { return container_; }

    // A tap outside the popover: the presented controller is dismissed, animated, and then hears
    // that it was dismissed from outside (UIViewController::presentationWasDismissedFromOutside).
    void dismissFromOutside();

    // Where a popover of that content size goes in a window of those bounds and safe-area insets.
    static CGRect frameInWindow(CGSize contentSize, const CGRect& sourceInWindow, const CGRect& windowBounds, const UIEdgeInsets& safeArea);

private:
    friend class UIViewController;
    // Builds the backdrop and the container in the window around the presented controller's view
    // and answers the container.
    std::shared_ptr<UIView> showInContainer(UIView& window, const std::shared_ptr<UIViewController>& presented,
                                            CGSize preferredContentSize);
    // Takes the backdrop, the container, and the presented view in it, off the screen.
    void removeContainer();
    // For a dismissal that animates the container away: the backdrop goes at once, the popover
    // forgets the container, which stays on screen until takeOffScreen.
    std::shared_ptr<UIView> releaseContainer();
    static void takeOffScreen(const std::shared_ptr<UIView>& container);

    std::weak_ptr<UIAdaptivePresentationControllerDelegate> delegate_;
    std::weak_ptr<UIView> sourceView_;
    CGRect sourceRect_;
    std::shared_ptr<UIView> container_;
    std::shared_ptr<UIControl> backdrop_;
    std::weak_ptr<UIViewController> presented_;
};
