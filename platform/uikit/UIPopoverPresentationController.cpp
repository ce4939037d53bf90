#include "platform/uikit/UIPopoverPresentationController.hpp"

#include <algorithm>
#include <utility>

#include "platform/uikit/CALayer.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

constexpr CGFloat edgeMargin = 8;
constexpr CGFloat cornerRadius = 13;
constexpr CGSize sizeWhenNonePreferred{320, 320};

// A view whose layer is a shape layer: the popover's mask, which keeps the outline it cuts.
class ShapeMaskView : public UIView {
public:
    using UIView::UIView;

protected:
    std::shared_ptr<CALayer> makeBackingLayer() const override { return std::make_shared<CAShapeLayer>(); }
};

} // namespace

CGRect UIPopoverPresentationController::frameInWindow(CGSize contentSize, const CGRect& source, const CGRect& windowBounds,
                                                      const UIEdgeInsets& safeArea)
{
    CGRect area = UIEdgeInsetsInsetRect(windowBounds, safeArea).insetBy(edgeMargin, edgeMargin);
    CGSize size = contentSize;
    if (!(size.width > 0) || !(size.height > 0)) {
        size = sizeWhenNonePreferred;
    }
    size.width = std::clamp(size.width, 0.0, std::max(0.0, area.width()));
    CGFloat roomBelow = std::max(0.0, area.maxY() - source.maxY());
    CGFloat roomAbove = std::max(0.0, source.minY() - area.minY());
    bool below = size.height <= roomBelow || (size.height > roomAbove && roomBelow >= roomAbove);
    size.height = std::min(size.height, below ? roomBelow : roomAbove);
    CGFloat x = std::clamp(source.midX() - size.width / 2, area.minX(), std::max(area.minX(), area.maxX() - size.width));
    CGFloat y = below ? source.maxY() : source.minY() - size.height;
    return {x, y, size.width, size.height};
}

std::shared_ptr<UIView> UIPopoverPresentationController::showInContainer(UIView& window, const std::shared_ptr<UIViewController>& presented,
                                                                         CGSize preferredContentSize)
{
    removeContainer();
    presented_ = presented;
    auto presentedView = presented->view();
    CGRect source = sourceRect_;
    if (auto anchor = sourceView()) {
        source = anchor->convertRectToView(sourceRect_, &window);
    }
    UIEdgeInsets safeArea = window.safeAreaInsets();
    CGRect frame = frameInWindow(preferredContentSize, source, window.bounds(), safeArea);
    CGRect bounds{CGPointZero, frame.size};

    container_ = std::make_shared<UIView>(frame);
    container_->setBackgroundColor(UIColor::systemBackgroundColor());
    auto mask = std::make_shared<ShapeMaskView>(bounds);
    auto maskLayer = std::static_pointer_cast<CAShapeLayer>(mask->layer());
    maskLayer->setPath(CGPath::roundedRect(bounds, cornerRadius));
    container_->setMaskView(mask);

    auto content = std::make_shared<UIView>(bounds);
    container_->addSubview(content);
    presentedView->setFrame(bounds);
    content->addSubview(presentedView);

    backdrop_ = std::make_shared<UIControl>(window.bounds());
    backdrop_->setBackgroundColor(UIColor::clearColor());
    std::weak_ptr<UIViewController> weakPresented = presented;
    backdrop_->addAction(
        [weakPresented](const std::shared_ptr<UIControl>&) {
            if (auto shown = weakPresented.lock()) {
                if (auto popover = shown->popoverPresentationController()) {
                    popover->dismissFromOutside();
                }
            }
        },
        UIControlEventTouchUpInside);
    window.addSubview(backdrop_);
    window.addSubview(container_);
    return container_;
}

void UIPopoverPresentationController::dismissFromOutside()
{
    auto presented = presented_.lock();
    if (!container_ || !presented) {
        return;
    }
    presented->dismissViewControllerAnimated(true, [presented] { presented->presentationWasDismissedFromOutside(); });
}

void UIPopoverPresentationController::removeContainer()
{
    if (auto container = releaseContainer()) {
        takeOffScreen(container);
    }
}

std::shared_ptr<UIView> UIPopoverPresentationController::releaseContainer()
{
    if (backdrop_) {
        backdrop_->removeFromSuperview();
        backdrop_.reset();
    }
    return std::exchange(container_, nullptr);
}

void UIPopoverPresentationController::takeOffScreen(const std::shared_ptr<UIView>& container)
{
    container->removeFromSuperview();
    // The presented view leaves with its container, so nothing keeps it in the old tree (unless
    // it was shown again meanwhile, in a new container).
    if (!container->subviews().empty()) {
        for (auto presented : container->subviews().front()->subviews()) {
            presented->removeFromSuperview();
        }
    }
}
