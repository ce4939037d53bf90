#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/NSCoder.hpp"
#include "platform/uikit/UIAdaptivePresentationControllerDelegate.hpp"
#include "platform/uikit/UIPopoverPresentationController.hpp"
#include "platform/uikit/UIResponder.hpp"
#include "platform/uikit/UITraitCollection.hpp"

class NSBundle;
class UIView;

enum class UIModalTransitionStyle : int { CoverVertical = 0, FlipHorizontal = 1, CrossDissolve = 2, PartialCurl = 3 };

// Where a controller stands in its appearance cycle.
enum class UIAppearanceState { Disappeared, Appearing, Appeared, Disappearing };

// A screen's controller.
//
// View loading: the first call of view() loads the view (loadView: the interface file's
// builder, the nib named by nibName, a nib named after the class, or a plain view), connects
// the outlets, then runs viewDidLoad once.
//
// Appearance: beginAppearanceTransition/endAppearanceTransition send viewWillAppear/
// viewDidAppear (or the disappear pair) once per change of state and pass them on to the child
// controllers whose views are inside this controller's view. Repeated requests for the state the
// controller is already in or going to are ignored.
//
// Modal presentation works on the presentation context: the topmost ancestor in the parent
// chain (for the current-context styles, the first ancestor that defines a presentation
// context). It is refused, with a logged warning and no callbacks, when the context already
// presents a controller, when its view is not in a window, when a transition is running, or
// when the controller to present is already presented or a child. The presented view covers
// the window, except in a popover (see UIPopoverPresentationController), which a phone shows
// full screen unless the popover's delegate answers None. The order of callbacks for a
// presentation is:
//     presenter viewWillDisappear (full-screen and current-context styles only)
//     presented viewWillAppear
//     presented viewDidAppear, presenter viewDidDisappear (full-screen styles only), completion
// and for a dismissal:
//     presented viewWillDisappear, presenter viewWillAppear (full-screen styles only)
//     presented view removed and unlinked from the presenter
//     presented viewDidDisappear, presenter viewDidAppear (full-screen styles only), completion
// Without animation everything happens before the call returns; with animation the second half
// runs on the next turn of the main queue, and the presented view is seen to arrive over 0.3 s
// (a view animation: its frame and alpha are final at once, only the drawing follows). Dismissal completes before its completion runs, so
// the completion may present from the former presenter.
//
// Every controller can be a popover's adaptive-presentation delegate, and as one answers None:
// set as delegate, it keeps the popover a popover on a phone. Subclasses may answer otherwise.
class UIViewController : public UIResponder, public UIAdaptivePresentationControllerDelegate {
public:
    UIViewController();
    UIViewController(std::optional<std::string> nibName, const NSBundle* bundle);
    explicit UIViewController(const NSCoder& coder);
    ~UIViewController() override;

    // The root view, loaded on first access.
    std::shared_ptr<UIView> view();
    std::shared_ptr<UIView> viewIfLoaded() const { return view_; }
    bool isViewLoaded() const { return static_cast<bool>(view_); }
    void setView(std::shared_ptr<UIView> view);
    void loadViewIfNeeded() { view(); }

    const std::optional<std::string>& nibName() const { return nibName_; }
    // Set by interface files: builds the root view with its subviews and connects the outlets.
    using ViewBuilder = std::function<std::shared_ptr<UIView>(UIViewController& owner)>;
    void setViewBuilder(ViewBuilder builder) { viewBuilder_ = std::move(builder); }

    const std::optional<std::string>& title() const { return title_; }
    void setTitle(std::optional<std::string> title) { title_ = std::move(title); }

    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}
    virtual void viewWillLayoutSubviews() {}
    virtual void viewDidLayoutSubviews() {}
    virtual void awakeFromNib() {}

    void beginAppearanceTransition(bool isAppearing, bool animated);
    void endAppearanceTransition();
    UIAppearanceState appearanceState() const { return appearanceState_; }

    // Containment.
    std::shared_ptr<UIViewController> parentViewController() const { return parent_.lock(); }
    const std::vector<std::shared_ptr<UIViewController>>& childViewControllers() const { return children_; }
    void addChildViewController(const std::shared_ptr<UIViewController>& child);
    void removeFromParentViewController();
    virtual void willMoveToParentViewController(const std::shared_ptr<UIViewController>& /*parent*/) {}
    virtual void didMoveToParentViewController(const std::shared_ptr<UIViewController>& /*parent*/) {}

    // Presentation.
    void presentViewController(const std::shared_ptr<UIViewController>& controller, bool animated, std::function<void()> completion = {});
    void dismissViewControllerAnimated(bool animated, std::function<void()> completion = {});
    // What this controller's presentation context presents.
    std::shared_ptr<UIViewController> presentedViewController() const;
    // The controller that presented this one (or this controller's presented ancestor).
    std::shared_ptr<UIViewController> presentingViewController() const;
    bool isBeingPresented() const { return beingPresented_; }
    bool isBeingDismissed() const { return beingDismissed_; }

    UIModalPresentationStyle modalPresentationStyle() const { return modalPresentationStyle_; }
    virtual void setModalPresentationStyle(UIModalPresentationStyle style) { modalPresentationStyle_ = style; }
    UIModalTransitionStyle modalTransitionStyle() const { return modalTransitionStyle_; }
    void setModalTransitionStyle(UIModalTransitionStyle style) { modalTransitionStyle_ = style; }
    bool definesPresentationContext() const { return definesPresentationContext_; }
    void setDefinesPresentationContext(bool defines) { definesPresentationContext_ = defines; }
    // Present only while the presentation style is the popover style.
    std::shared_ptr<UIPopoverPresentationController> popoverPresentationController();
    // Called once a tap outside the popover this controller was shown in has dismissed it.
    virtual void presentationWasDismissedFromOutside() {}

    virtual CGSize preferredContentSize() const { return preferredContentSize_; }
    virtual void setPreferredContentSize(CGSize size) { preferredContentSize_ = size; }

    UITraitCollection traitCollection() const { return UITraitCollection::currentTraitCollection(); }

    bool isEditing() const { return editing_; }
    virtual void setEditing(bool editing, bool animated);

    std::shared_ptr<UIResponder> nextResponder() const override;

    // Called by UIView when the root view enters or leaves a window.
    virtual void viewDidMoveToWindow() {}

    // UIAdaptivePresentationControllerDelegate
    UIModalPresentationStyle adaptivePresentationStyleForPresentationController(UIPopoverPresentationController& controller,
                                                                                const UITraitCollection& traits) override;

protected:
    // Whether appearance changes of this controller go on to the child: by default, when the
    // child's view is inside this controller's view. Containers that keep hidden children in
    // their view (a closed drawer) decide for themselves.
    virtual bool shouldForwardAppearanceToChild(const UIViewController& child) const;

private:
    void forwardAppearance(bool begin, bool isAppearing, bool animated);
    std::shared_ptr<UIViewController> presentationContext(UIModalPresentationStyle style);
    bool coversPresenter() const;
    UIModalPresentationStyle adaptedPresentationStyle();
    void finishPresentation(const std::shared_ptr<UIViewController>& presenter, bool animated, std::function<void()> completion);
    void finishDismissal(const std::shared_ptr<UIViewController>& presenter, bool animated, std::function<void()> completion);
    // Puts the presented view (in its popover container, for a popover) into the window.
    std::shared_ptr<UIView> showPresentedView(UIView& window);
    // Takes it off the screen, at once or animated away.
    void removePresentedView(bool animated = false);
    // Ends a view's animated exit at once, putting it back as it was before.
    void finishLeaving();

    std::shared_ptr<UIView> view_;
    bool loadingView_ = false;
    std::optional<std::string> nibName_;
    bool nibNameGiven_ = false;
    ViewBuilder viewBuilder_;
    std::optional<std::string> title_;
    UIAppearanceState appearanceState_ = UIAppearanceState::Disappeared;
    bool appearingTarget_ = false;

    std::weak_ptr<UIViewController> parent_;
    std::vector<std::shared_ptr<UIViewController>> children_;

    std::shared_ptr<UIViewController> presented_;
    std::weak_ptr<UIViewController> presenting_;
    bool beingPresented_ = false;
    bool beingDismissed_ = false;
    UIModalPresentationStyle modalPresentationStyle_ = UIModalPresentationStyle::Automatic;
    // The style the current presentation actually uses, after adapting to the device.
    UIModalPresentationStyle styleInUse_ = UIModalPresentationStyle::Automatic;
    UIModalTransitionStyle modalTransitionStyle_ = UIModalTransitionStyle::CoverVertical;
    bool definesPresentationContext_ = false;
    std::shared_ptr<UIPopoverPresentationController> popover_;
    // Set while the presented view animates away after a dismissal.
    std::function<void()> finishLeaving_;
    CGSize preferredContentSize_;
    bool editing_ = false;
};
