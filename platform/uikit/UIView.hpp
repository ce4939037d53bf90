#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/CALayer.hpp"
#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/NSCoder.hpp"
#include "platform/uikit/NSLayoutAnchor.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIResponder.hpp"

class NSLayoutConstraint;
class UIViewController;
class UIWindow;

namespace uikit {
struct ViewAnimations;
class RunningAnimations;
} // namespace uikit

enum class UIViewContentMode : int {
    ScaleToFill = 0, ScaleAspectFit = 1, ScaleAspectFill = 2, Redraw = 3, Center = 4,
    Top = 5, Bottom = 6, Left = 7, Right = 8, TopLeft = 9, TopRight = 10, BottomLeft = 11, BottomRight = 12,
};

using UIViewAnimationOptions = unsigned long;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseInOut = 0;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseIn = 1ul << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseOut = 2ul << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveLinear = 3ul << 16;

// A rectangle of the interface. A view owns its subviews (in back-to-front order) and its
// layer; its superview and its view controller are only referenced.
class UIView : public UIResponder {
public:
    UIView();
    explicit UIView(const CGRect& frame);
    // Made by an interface file; the file's builder sets the frame and the rest.
    explicit UIView(const NSCoder& coder);
    ~UIView() override;

    // Geometry. The frame is in the superview's coordinates; the bounds origin is where the
    // view's own content starts (scroll views move it).
    CGRect frame() const { return frame_; }
    virtual void setFrame(const CGRect& frame);
    CGRect bounds() const { return {boundsOrigin_, frame_.size}; }
    virtual void setBounds(const CGRect& bounds);
    CGPoint center() const { return {frame_.midX(), frame_.midY()}; }
    void setCenter(CGPoint center);

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    // Depth first, the receiver included; null when nothing carries the tag.
    std::shared_ptr<UIView> viewWithTag(int tag);

    bool isHidden() const { return hidden_; }
    virtual void setHidden(bool hidden);
    CGFloat alpha() const { return alpha_; }
    void setAlpha(CGFloat alpha);
    const std::optional<UIColor>& backgroundColor() const { return backgroundColor_; }
    virtual void setBackgroundColor(std::optional<UIColor> color);
    // Inherited from the superview when not set here; the system tint at the root.
    UIColor tintColor() const;
    virtual void setTintColor(std::optional<UIColor> color);
    bool clipsToBounds() const { return layer()->masksToBounds(); }
    void setClipsToBounds(bool clips) { layer()->setMasksToBounds(clips); }
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    UIViewContentMode contentMode() const { return contentMode_; }
    void setContentMode(UIViewContentMode mode) { contentMode_ = mode; }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }

    const std::string& accessibilityIdentifier() const { return accessibilityIdentifier_; }
    void setAccessibilityIdentifier(std::string identifier) { accessibilityIdentifier_ = std::move(identifier); }
    const std::string& accessibilityLabel() const { return accessibilityLabel_; }
    void setAccessibilityLabel(std::string label) { accessibilityLabel_ = std::move(label); }
    // Depth first, the receiver included.
    std::shared_ptr<UIView> viewWithAccessibilityIdentifier(const std::string& identifier);

    // The backing layer, made on first use with makeBackingLayer().
    std::shared_ptr<CALayer> layer() const;
    const std::shared_ptr<UIView>& maskView() const { return maskView_; }
    void setMaskView(std::shared_ptr<UIView> mask) { maskView_ = std::move(mask); }

    // Hierarchy.
    const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
    std::shared_ptr<UIView> superview() const { return superview_.lock(); }
    void addSubview(const std::shared_ptr<UIView>& view);
    void insertSubview(const std::shared_ptr<UIView>& view, size_t index);
    void bringSubviewToFront(const std::shared_ptr<UIView>& view);
    void removeFromSuperview();
    bool isDescendantOfView(const UIView* view) const;
    // The window the view is in, if any.
    std::shared_ptr<UIWindow> window() const;

    // The controller whose root view this is.
    std::shared_ptr<UIViewController> owningViewController() const { return owningViewController_.lock(); }
    void setOwningViewController(const std::shared_ptr<UIViewController>& controller) { owningViewController_ = controller; }
    std::shared_ptr<UIResponder> nextResponder() const override;

    // The deepest view under the point (in the receiver's coordinates) that takes touches: the
    // front-most subviews first; none when the point is outside or the receiver is hidden,
    // transparent or ignores touches.
    virtual std::shared_ptr<UIView> hitTest(CGPoint point);
    virtual bool pointInside(CGPoint point) const { return bounds().containsPoint(point); }
    // Whether the view follows a finger itself through its touches methods (a star rating does):
    // a touch that starts on it, or on a subview of it, is then neither a tap nor a scroll.
    virtual bool tracksTouches() const { return false; }
    // Asked from the view under a finger upwards when a drag that nothing follows itself turns
    // out to go more sideways than up or down: a view that answers true follows the rest of it
    // through its touches methods, as if the finger had come down on it (a drawer closing under
    // a finger dragged across its menu's rows).
    virtual bool takeSidewaysDrag(const std::shared_ptr<UIView>& /*hit*/) { return false; }

    CGRect convertRectToView(const CGRect& rect, const UIView* view) const;
    CGRect convertRectFromView(const CGRect& rect, const UIView* view) const;
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;

    // Constraints this view holds, in the order they were added.
    const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints() const { return constraints_; }
    void addConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint);
    void addConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
    void removeConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint);
    bool translatesAutoresizingMaskIntoConstraints() const { return translatesAutoresizingMask_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates) { translatesAutoresizingMask_ = translates; }

    NSLayoutXAxisAnchor leadingAnchor() { return {as<UIView>(), NSLayoutAttribute::Leading}; }
    NSLayoutXAxisAnchor trailingAnchor() { return {as<UIView>(), NSLayoutAttribute::Trailing}; }
    NSLayoutXAxisAnchor leftAnchor() { return {as<UIView>(), NSLayoutAttribute::Left}; }
    NSLayoutXAxisAnchor rightAnchor() { return {as<UIView>(), NSLayoutAttribute::Right}; }
    NSLayoutXAxisAnchor centerXAnchor() { return {as<UIView>(), NSLayoutAttribute::CenterX}; }
    NSLayoutYAxisAnchor topAnchor() { return {as<UIView>(), NSLayoutAttribute::Top}; }
    NSLayoutYAxisAnchor bottomAnchor() { return {as<UIView>(), NSLayoutAttribute::Bottom}; }
    NSLayoutYAxisAnchor centerYAnchor() { return {as<UIView>(), NSLayoutAttribute::CenterY}; }
    NSLayoutDimension widthAnchor() { return {as<UIView>(), NSLayoutAttribute::Width}; }
    NSLayoutDimension heightAnchor() { return {as<UIView>(), NSLayoutAttribute::Height}; }

    // Layout. setNeedsLayout marks the view; layoutIfNeeded runs a pass when anything in the
    // receiver's subtree (or an ancestor) is marked: it starts at the topmost marked ancestor, or
    // at the receiver; the constraints held in that subtree are resolved, then layoutSubviews runs
    // top down on the marked views, wrapped in the owning controllers' viewWillLayoutSubviews and
    // viewDidLayoutSubviews.
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    void layoutIfNeeded();
    virtual void layoutSubviews() {}
    virtual CGSize sizeThatFits(CGSize size) const { return size.width == 0 && size.height == 0 ? frame_.size : size; }
    virtual CGSize intrinsicContentSize() const { return {-1, -1}; }
    void sizeToFit();

    virtual void setNeedsDisplay() { layer()->setNeedsDisplay(); }
    // Views that draw their own content override this and draw into UIGraphicsGetCurrentContext(),
    // in bounds coordinates, below their subviews. The drawing backend (platform/render) calls
    // it; the platform's own classes are drawn by the backend itself.
    virtual void drawRect(const CGRect& /*rect*/) const {}

    // Safe-area insets: the window's own, less what the view's frame already keeps clear.
    virtual UIEdgeInsets safeAreaInsets() const;

    // Called once for views made by an interface file, after their outlets are connected.
    virtual void awakeFromNib() {}

    // Animations. The block runs at once, and what it changes is the model at once: alpha(),
    // frame(), center(), bounds() and backgroundColor() answer the new values straight away, as
    // the platform's model layer does, so layout, hit testing and tests see where things are
    // going. What is drawn moves from the value on screen to the new one over the duration,
    // after the delay, along the curve in the options, on the run loop's clock (DispatchClock,
    // so a virtual clock drives them headless); the presentation accessors below answer that,
    // and the drawing backend draws with them. Animated: alpha, the frame (and so the centre and
    // the bounds' size) and the background colour (not from or to a pattern colour). A new
    // animation of a property starts from where the old one had got to and replaces it. A zero
    // or negative duration applies the block without animation. The completion runs on the main
    // queue once delay + duration have passed, with finished = true, whether or not the view is
    // still shown; the animation holds nothing of the view, only the completion's own captures.
    static void animateWithDuration(double duration, double delay, UIViewAnimationOptions options, const std::function<void()>& animations,
                                    std::function<void(bool)> completion);
    static void animateWithDuration(double duration, const std::function<void()>& animations, std::function<void(bool)> completion = {});

    // What is on screen now: the model value, or the in-between value of a running animation.
    CGFloat presentationAlpha() const;
    CGRect presentationFrame() const;
    // Resolved for the current traits; none when the view has no background colour.
    std::optional<CGColor> presentationBackgroundColor() const;
    bool hasRunningAnimations() const;

protected:
    virtual std::shared_ptr<CALayer> makeBackingLayer() const { return std::make_shared<CALayer>(); }
    virtual void willMoveToSuperview(const std::shared_ptr<UIView>& /*newSuperview*/) {}
    virtual void didMoveToSuperview() {}
    virtual void didMoveToWindow() {}
    virtual void didAddSubview(const std::shared_ptr<UIView>& /*subview*/) {}
    virtual void willRemoveSubview(const std::shared_ptr<UIView>& /*subview*/) {}
    virtual void tintColorDidChange() {}

private:
    friend class UIWindow;
    friend class uikit::RunningAnimations;
    // The tracks to record a change in, when an animation block is open; null otherwise.
    uikit::ViewAnimations* animationsToRecord();
    void notifyMovedToWindow();
    CGPoint originInRoot() const;
    void collectLayoutPass(std::vector<UIView*>& order);
    void layoutSubtree();

    CGRect frame_;
    CGPoint boundsOrigin_;
    int tag_ = 0;
    bool hidden_ = false;
    CGFloat alpha_ = 1;
    bool opaque_ = true;
    std::optional<UIColor> backgroundColor_;
    std::optional<UIColor> tintColor_;
    UIViewContentMode contentMode_ = UIViewContentMode::ScaleToFill;
    bool userInteractionEnabled_ = true;
    std::string accessibilityIdentifier_;
    std::string accessibilityLabel_;
    mutable std::shared_ptr<CALayer> layer_;
    std::shared_ptr<UIView> maskView_;
    std::vector<std::shared_ptr<UIView>> subviews_;
    std::weak_ptr<UIView> superview_;
    std::weak_ptr<UIViewController> owningViewController_;
    std::vector<std::shared_ptr<NSLayoutConstraint>> constraints_;
    bool translatesAutoresizingMask_ = true;
    bool needsLayout_ = true;
    std::unique_ptr<uikit::ViewAnimations> animations_;
};

namespace uikit {

// The view itself or its nearest superview of class T: the control, cell or scroll view that a
// touch on some inner view belongs to.
template <class T>
std::shared_ptr<T> nearestOfClass(std::shared_ptr<UIView> view)
{
    for (; view; view = view->superview()) {
        if (auto found = std::dynamic_pointer_cast<T>(view)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace uikit
