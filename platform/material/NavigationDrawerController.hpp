#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/material/RootController.hpp"

namespace Material {

enum class NavigationDrawerPosition : int { left = 0, right = 1 };

class NavigationDrawerController;

// What a drawer tells its delegate. Every method is empty by default.
class NavigationDrawerControllerDelegate {
public:
    virtual ~NavigationDrawerControllerDelegate() = default;
    virtual void navigationDrawerControllerWillOpen(NavigationDrawerController&, NavigationDrawerPosition) {}
    virtual void navigationDrawerControllerDidOpen(NavigationDrawerController&, NavigationDrawerPosition) {}
    virtual void navigationDrawerControllerWillClose(NavigationDrawerController&, NavigationDrawerPosition) {}
    virtual void navigationDrawerControllerDidClose(NavigationDrawerController&, NavigationDrawerPosition) {}
    virtual void navigationDrawerControllerDidBeginPanAt(NavigationDrawerController&, CGPoint, NavigationDrawerPosition) {}
    virtual void navigationDrawerControllerDidChangePanAt(NavigationDrawerController&, CGPoint, NavigationDrawerPosition) {}
    virtual void navigationDrawerControllerDidEndPanAt(NavigationDrawerController&, CGPoint, NavigationDrawerPosition) {}
    virtual void navigationDrawerControllerDidTapAt(NavigationDrawerController&, CGPoint, NavigationDrawerPosition) {}
    virtual void navigationDrawerControllerStatusBar(NavigationDrawerController&, bool /*isHidden*/) {}
};

// A root controller with side drawers. A closed drawer stays loaded but off screen and hidden.
//
// Appearance: the side controllers are on screen only while their drawer is open, so they get
// the appearance callbacks when it opens or closes, not when the whole drawer controller
// appears. Opening sends, in order: delegate willOpen, side controller viewWillAppear, (the
// drawer moves in), side controller viewDidAppear, delegate didOpen. Closing mirrors it with
// willClose, viewWillDisappear, viewDidDisappear, didClose. The callbacks and the drawer's
// frame finish before returning, whatever the velocity; on screen the drawer is then seen to
// slide over 0.25 s (a view animation), and a closed drawer is hidden when its slide ends.
// Opening an open drawer or closing a closed one does nothing.
//
// Dragging: the root is dimmed as far as a drawer is out. A horizontal drag that starts within
// edgeWidth of the left edge pulls a closed, enabled left drawer out under the finger, unless it
// starts on an enabled control or a view that tracks touches itself, which keep it. With the
// drawer open, a horizontal drag on the dimmed area or on the drawer pushes it back: on its
// rows and its scrolling list once the finger has gone more sideways than up or down past the
// tap slop; controls and views that follow a finger keep theirs. On release it opens when more
// than half of it is out or it was flicked right, and closes when less is out or it was flicked
// left, through openLeftView/closeLeftView, so the callbacks above come as with a call;
// otherwise it slides back. A tap on the dimmed area closes the drawer; a tap at
// the edge still selects the table row under it. While the drawer slides no finger takes it.
class NavigationDrawerController : public RootController {
public:
    NavigationDrawerController(std::shared_ptr<UIViewController> rootViewController, std::shared_ptr<UIViewController> leftViewController,
                               std::shared_ptr<UIViewController> rightViewController);
    explicit NavigationDrawerController(const NSCoder& coder);

    std::shared_ptr<UIViewController> leftViewController() const { return leftViewController_; }
    std::shared_ptr<UIViewController> rightViewController() const { return rightViewController_; }
    const std::shared_ptr<UIView>& leftView() const { return leftView_; }

    std::shared_ptr<NavigationDrawerControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<NavigationDrawerControllerDelegate>& delegate) { delegate_ = delegate; }

    bool isLeftViewOpened() const { return leftOpened_; }
    bool isRightViewOpened() const { return rightOpened_; }
    bool isLeftViewEnabled() const { return leftEnabled_; }
    void setLeftViewEnabled(bool enabled) { leftEnabled_ = enabled; }
    CGFloat leftViewWidth() const { return leftViewWidth_; }
    void setLeftViewWidth(CGFloat width) { leftViewWidth_ = width; }

    void openLeftView(CGFloat velocity = 0);
    void closeLeftView(CGFloat velocity = 0);
    void openRightView(CGFloat velocity = 0);
    void closeRightView(CGFloat velocity = 0);
    void toggleLeftView(CGFloat velocity = 0);

    // How far from the left edge a drag may start to pull the closed drawer out.
    static constexpr CGFloat edgeWidth = 20;

    void loadView() override;
    void viewDidLoad() override;

protected:
    void layoutContainer() override;
    bool shouldForwardAppearanceToChild(const UIViewController& child) const override;

private:
    void installSide(const std::shared_ptr<UIViewController>& controller, const std::shared_ptr<UIView>& holder);
    void setSideOpened(NavigationDrawerPosition position, bool open);
    void slide(bool animated, std::function<void(bool)> completion);
    std::function<void(bool)> hideOnceSlidOut(NavigationDrawerPosition position);
    // Slides the left drawer to where its state says, hiding it at the end when closed.
    void settleLeft();
    bool isOnScreen() const;

    // The container view, which takes the drags that belong to the drawer.
    class DragSurface;
    bool takesTouch(CGPoint point, const std::shared_ptr<UIView>& hit) const;
    bool takesSidewaysDrag(const std::shared_ptr<UIView>& hit) const;
    void dragBegan(CGPoint point, const std::shared_ptr<UIView>& hit);
    void dragMoved(CGPoint point);
    void dragEnded(CGPoint point);
    void dragCancelled();

    struct Drag {
        CGPoint start;
        CGFloat startX = 0;
        bool onDimmedArea = false;
        bool horizontal = false;
        bool decided = false;
        // Where a tap at the edge goes: the view the finger came down on under the drawer.
        std::weak_ptr<UIView> beneath;
        CGFloat lastX = 0;
        double lastTime = 0;
        CGFloat velocity = 0;
    };
    std::optional<Drag> drag_;
    // Where the left drawer's left edge is while a finger holds it.
    std::optional<CGFloat> heldLeftX_;

    std::shared_ptr<UIViewController> leftViewController_;
    std::shared_ptr<UIViewController> rightViewController_;
    std::shared_ptr<UIView> leftView_ = std::make_shared<UIView>();
    std::shared_ptr<UIView> rightView_ = std::make_shared<UIView>();
    std::shared_ptr<UIView> dimView_ = std::make_shared<UIView>();
    std::weak_ptr<NavigationDrawerControllerDelegate> delegate_;
    bool leftOpened_ = false;
    bool rightOpened_ = false;
    bool leftEnabled_ = true;
    CGFloat leftViewWidth_ = 280;
    CGFloat rightViewWidth_ = 280;
};

} // namespace Material
