#pragma once

#include <functional>
#include <memory>

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

    void viewDidLoad() override;

protected:
    void layoutContainer() override;
    bool shouldForwardAppearanceToChild(const UIViewController& child) const override;

private:
    void installSide(const std::shared_ptr<UIViewController>& controller, const std::shared_ptr<UIView>& holder);
    void setSideOpened(NavigationDrawerPosition position, bool open);
    void slide(bool animated, std::function<void(bool)> completion);

    std::shared_ptr<UIViewController> leftViewController_;
    std::shared_ptr<UIViewController> rightViewController_;
    std::shared_ptr<UIView> leftView_ = std::make_shared<UIView>();
    std::shared_ptr<UIView> rightView_ = std::make_shared<UIView>();
    std::weak_ptr<NavigationDrawerControllerDelegate> delegate_;
    bool leftOpened_ = false;
    bool rightOpened_ = false;
    bool leftEnabled_ = true;
    CGFloat leftViewWidth_ = 280;
    CGFloat rightViewWidth_ = 280;
};

} // namespace Material
