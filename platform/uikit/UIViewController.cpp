#include "platform/uikit/UIViewController.hpp"

#include <algorithm>
#include <iostream>
#include <memory>
#include <utility>
#include <vector>

#include "platform/foundation/DispatchQueue.hpp"
#include "platform/uikit/ClassName.hpp"
#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UINib.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

std::string describe(const UIViewController& controller)
{
    std::string text("<");
    text += classNameOf(controller);
    text += ">";
    return text;
}

void warn(const std::string& text)
{
    std::cerr << "Warning: " << text << "\n";
}

constexpr double presentationDuration = 0.3;

// What the user sees of an animated presentation: a screen that covers its presenter slides up
// from the bottom, anything else (alerts, popovers) fades in. The model values are final at
// once, so the life cycle and touches do not wait for the drawing.
void animateIn(UIView& view, bool slidesUp)
{
    if (slidesUp) {
        CGRect final = view.frame();
        CGFloat below = view.window() ? view.window()->bounds().size.height : final.size.height;
        view.setFrame(final.offsetBy(0, below));
        UIView::animateWithDuration(
            presentationDuration, 0, UIViewAnimationOptionCurveEaseOut, [&] { view.setFrame(final); }, nullptr);
        return;
    }
    CGFloat shown = view.alpha();
    view.setAlpha(0);
    UIView::animateWithDuration(
        presentationDuration, 0, UIViewAnimationOptionCurveEaseOut, [&] { view.setAlpha(shown); }, nullptr);
}

// What the user sees of an animated dismissal: a screen that covers its presenter slides down
// out of the window, anything else fades out; `done` runs at the end. The model is final at
// once, so the view takes no touches while it leaves.
void animateOut(const std::shared_ptr<UIView>& view, bool slidesDown, std::function<void()> done)
{
    view->setUserInteractionEnabled(false);
    CGRect frame = view->frame();
    CGFloat below = view->window() ? view->window()->bounds().size.height : frame.size.height;
    UIView::animateWithDuration(
        presentationDuration, 0, UIViewAnimationOptionCurveEaseIn,
        [&] {
            if (slidesDown) {
                view->setFrame(frame.offsetBy(0, below));
            } else {
                view->setAlpha(0);
            }
        },
        [done = std::move(done)](bool) { done(); });
}

// Controllers whose views are animating off the screen after a dismissal. What those views show
// (an alert's texts and buttons) is drawn from their controllers, so the controllers live until
// the views are gone.
std::vector<std::shared_ptr<UIViewController>>& leavingControllers()
{
    static std::vector<std::shared_ptr<UIViewController>> leaving;
    return leaving;
}

} // namespace

UIViewController::UIViewController() = default;

UIViewController::UIViewController(std::optional<std::string> nibName, const NSBundle* /*bundle*/)
    : nibName_(std::move(nibName)), nibNameGiven_(nibName_.has_value())
{
}

UIViewController::UIViewController(const NSCoder& /*coder*/) {}

UIViewController::~UIViewController()
{
    for (auto& child : children_) {
        child->parent_.reset();
    }
    if (presented_) {
        presented_->presenting_.reset();
        presented_->removePresentedView();
    }
}

std::shared_ptr<UIView> UIViewController::view()
{
    if (view_) {
        return view_;
    }
    if (loadingView_) {
        // view() from within loadView: the platform would recurse forever.
        uikit::fatalError(describe(*this) + " asked for its view while loading it");
    }
    loadingView_ = true;
    loadView();
    loadingView_ = false;
    if (!view_) {
        view_ = std::make_shared<UIView>(UIScreen::mainScreen().bounds());
    }
    view_->setOwningViewController(as<UIViewController>());
    viewDidLoad();
    return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view)
{
    if (view_ && view_ != view) {
        view_->setOwningViewController(nullptr);
    }
    view_ = std::move(view);
    if (view_ && !loadingView_) {
        view_->setOwningViewController(as<UIViewController>());
    }
}

void UIViewController::loadView()
{
    if (viewBuilder_) {
        auto builder = std::move(viewBuilder_);
        viewBuilder_ = nullptr;
        auto root = builder(*this);
        if (root) {
            awakeFromNibRecursively(root);
        }
        view_ = root;
        return;
    }
    // Without a nib name the platform looks for a nib named after the class, without its module.
    std::string className = NSStringFromClass(typeid(*this));
    if (auto colons = className.rfind("::"); colons != std::string::npos) {
        className = className.substr(colons + 2);
    }
    std::string nib = nibName_.value_or(className);
    if (nibNameGiven_ || UINib::isRegistered(nib)) {
        auto loaded = UINib::nibWithNibName(nib, nullptr);
        if (!loaded) {
            uikit::fatalError("Could not load the interface file named \"" + nib + "\" for " + describe(*this));
        }
        auto views = loaded->instantiateWithOwner(shared_from_this());
        if (views.empty() || !views.front()) {
            uikit::fatalError("The interface file \"" + nib + "\" has no view for " + describe(*this));
        }
        view_ = views.front();
        return;
    }
    view_ = std::make_shared<UIView>(UIScreen::mainScreen().bounds());
}

void UIViewController::beginAppearanceTransition(bool isAppearing, bool animated)
{
    bool visibleOrGoing = appearanceState_ == UIAppearanceState::Appeared || appearanceState_ == UIAppearanceState::Appearing;
    if (isAppearing == visibleOrGoing) {
        return;
    }
    appearanceState_ = isAppearing ? UIAppearanceState::Appearing : UIAppearanceState::Disappearing;
    appearingTarget_ = isAppearing;
    auto keep = as<UIViewController>();
    if (isAppearing) {
        view();
        viewWillAppear(animated);
    } else {
        viewWillDisappear(animated);
    }
    forwardAppearance(true, isAppearing, animated);
}

void UIViewController::endAppearanceTransition()
{
    if (appearanceState_ != UIAppearanceState::Appearing && appearanceState_ != UIAppearanceState::Disappearing) {
        return;
    }
    auto keep = as<UIViewController>();
    bool appearing = appearanceState_ == UIAppearanceState::Appearing;
    appearanceState_ = appearing ? UIAppearanceState::Appeared : UIAppearanceState::Disappeared;
    if (appearing) {
        viewDidAppear(false);
    } else {
        viewDidDisappear(false);
    }
    forwardAppearance(false, appearing, false);
}

void UIViewController::forwardAppearance(bool begin, bool isAppearing, bool animated)
{
    if (!view_) {
        return;
    }
    auto children = children_;
    for (const auto& child : children) {
        if (!shouldForwardAppearanceToChild(*child)) {
            continue;
        }
        if (begin) {
            child->beginAppearanceTransition(isAppearing, animated);
        } else {
            child->endAppearanceTransition();
        }
    }
}

void UIViewController::setEditing(bool editing, bool /*animated*/)
{
    editing_ = editing;
}

bool UIViewController::shouldForwardAppearanceToChild(const UIViewController& child) const
{
    auto childView = child.viewIfLoaded();
    return view_ && childView && childView->isDescendantOfView(view_.get());
}

void UIViewController::addChildViewController(const std::shared_ptr<UIViewController>& child)
{
    if (!child || child.get() == this) {
        return;
    }
    for (auto ancestor = parentViewController(); ancestor; ancestor = ancestor->parentViewController()) {
        if (ancestor == child) {
            warn("refusing to make " + describe(*child) + " a child of its own descendant");
            return;
        }
    }
    if (child->parentViewController().get() == this) {
        return;
    }
    child->removeFromParentViewController();
    child->willMoveToParentViewController(as<UIViewController>());
    children_.push_back(child);
    child->parent_ = as<UIViewController>();
}

void UIViewController::removeFromParentViewController()
{
    auto parent = parent_.lock();
    if (!parent) {
        return;
    }
    auto self = as<UIViewController>();
    auto& siblings = parent->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
    parent_.reset();
    didMoveToParentViewController(nullptr);
}

std::shared_ptr<UIViewController> UIViewController::presentationContext(UIModalPresentationStyle style)
{
    auto context = as<UIViewController>();
    bool currentContext = style == UIModalPresentationStyle::CurrentContext || style == UIModalPresentationStyle::OverCurrentContext;
    while (auto parent = context->parentViewController()) {
        if (currentContext && context->definesPresentationContext()) {
            break;
        }
        context = parent;
    }
    return context;
}

bool UIViewController::coversPresenter() const
{
    return styleInUse_ == UIModalPresentationStyle::FullScreen || styleInUse_ == UIModalPresentationStyle::CurrentContext;
}

UIModalPresentationStyle UIViewController::adaptedPresentationStyle()
{
    if (modalPresentationStyle_ != UIModalPresentationStyle::Popover || UIDevice::currentDevice().userInterfaceIdiom() == UIUserInterfaceIdiom::Pad) {
        return modalPresentationStyle_;
    }
    auto popover = popoverPresentationController();
    auto d = popover ? popover->delegate() : nullptr;
    UIModalPresentationStyle answer =
        d ? d->adaptivePresentationStyleForPresentationController(*popover, UITraitCollection::currentTraitCollection()) : UIModalPresentationStyle::Automatic;
    if (answer == UIModalPresentationStyle::None) {
        return UIModalPresentationStyle::Popover;
    }
    return answer == UIModalPresentationStyle::Automatic ? UIModalPresentationStyle::FullScreen : answer;
}

std::shared_ptr<UIViewController> UIViewController::presentedViewController() const
{
    auto self = std::const_pointer_cast<UIViewController>(as<UIViewController>());
    for (auto c = self; c; c = c->parentViewController()) {
        if (c->presented_) {
            return c->presented_;
        }
    }
    return nullptr;
}

std::shared_ptr<UIViewController> UIViewController::presentingViewController() const
{
    for (auto c = std::const_pointer_cast<UIViewController>(as<UIViewController>()); c; c = c->parentViewController()) {
        if (auto presenter = c->presenting_.lock()) {
            return presenter;
        }
    }
    return nullptr;
}

std::shared_ptr<UIPopoverPresentationController> UIViewController::popoverPresentationController()
{
    if (modalPresentationStyle_ != UIModalPresentationStyle::Popover) {
        return nullptr;
    }
    if (!popover_) {
        popover_ = std::make_shared<UIPopoverPresentationController>();
    }
    return popover_;
}

std::shared_ptr<UIResponder> UIViewController::nextResponder() const
{
    if (view_) {
        if (auto parentView = view_->superview()) {
            return parentView;
        }
    }
    if (auto parent = parentViewController()) {
        return parent;
    }
    return presentingViewController();
}

void UIViewController::presentViewController(const std::shared_ptr<UIViewController>& controller, bool animated,
                                             std::function<void()> completion)
{
    if (!controller) {
        warn("attempt to present nothing on " + describe(*this));
        return;
    }
    auto context = presentationContext(controller->modalPresentationStyle());
    if (controller.get() == this || controller == context) {
        warn("attempt to present " + describe(*controller) + " on itself");
        return;
    }
    if (controller->presenting_.lock() || controller->parentViewController()) {
        warn("attempt to present " + describe(*controller) + " which is already presented or is a child controller");
        return;
    }
    if (auto current = context->presented_) {
        warn("attempt to present " + describe(*controller) + " on " + describe(*context) + " which is already presenting " +
             describe(*current));
        return;
    }
    if (context->beingPresented_ || context->beingDismissed_) {
        warn("attempt to present " + describe(*controller) + " on " + describe(*context) + " while a presentation is in progress");
        return;
    }
    auto contextView = context->viewIfLoaded();
    auto window = contextView ? contextView->window() : nullptr;
    if (!window) {
        warn("attempt to present " + describe(*controller) + " on " + describe(*context) + " whose view is not in the window hierarchy");
        return;
    }

    controller->styleInUse_ = controller->adaptedPresentationStyle();
    controller->presenting_ = context;
    context->presented_ = controller;
    controller->beingPresented_ = true;
    controller->loadViewIfNeeded();
    if (controller->coversPresenter()) {
        context->beginAppearanceTransition(false, animated);
    }
    auto shown = controller->showPresentedView(*window);
    controller->beginAppearanceTransition(true, animated);
    shown->layoutIfNeeded();
    if (animated) {
        animateIn(*shown, controller->coversPresenter());
    }
    if (!animated) {
        controller->finishPresentation(context, animated, std::move(completion));
        return;
    }
    DispatchQueue::main().async([controller, context, completion = std::move(completion)]() mutable {
        controller->finishPresentation(context, true, std::move(completion));
    });
}

std::shared_ptr<UIView> UIViewController::showPresentedView(UIView& window)
{
    finishLeaving();
    auto presentedView = view();
    if (styleInUse_ == UIModalPresentationStyle::Popover) {
        return popoverPresentationController()->showInContainer(window, as<UIViewController>(), preferredContentSize());
    }
    presentedView->setFrame(window.bounds());
    window.addSubview(presentedView);
    return presentedView;
}

void UIViewController::removePresentedView(bool animated)
{
    finishLeaving();
    bool inPopover = popover_ && popover_->containerView();
    std::shared_ptr<UIView> leaving = inPopover ? popover_->releaseContainer() : view_;
    if (!leaving) {
        return;
    }
    // Off the screen, and back as it was, should the controller be shown again.
    finishLeaving_ = [leaving, inPopover, frame = leaving->frame(), alpha = leaving->alpha(),
                      interactive = leaving->isUserInteractionEnabled()] {
        if (inPopover) {
            UIPopoverPresentationController::takeOffScreen(leaving);
            return;
        }
        leaving->removeFromSuperview();
        leaving->setFrame(frame);
        leaving->setAlpha(alpha);
        leaving->setUserInteractionEnabled(interactive);
    };
    if (!animated || !leaving->window()) {
        finishLeaving();
        return;
    }
    leavingControllers().push_back(as<UIViewController>());
    std::weak_ptr<UIViewController> weakSelf = as<UIViewController>();
    animateOut(leaving, !inPopover && coversPresenter(), [weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->finishLeaving();
        }
    });
}

void UIViewController::finishLeaving()
{
    auto finish = std::exchange(finishLeaving_, nullptr);
    if (!finish) {
        return;
    }
    finish();
    auto& leaving = leavingControllers();
    auto kept = std::find_if(leaving.begin(), leaving.end(), [this](const auto& controller) { return controller.get() == this; });
    if (kept != leaving.end()) {
        // The last reference may go with this block: nothing of the controller is touched after.
        auto last = std::move(*kept);
        leaving.erase(kept);
    }
}

UIModalPresentationStyle UIViewController::adaptivePresentationStyleForPresentationController(
    UIPopoverPresentationController& /*controller*/, const UITraitCollection& /*traits*/)
{
    return UIModalPresentationStyle::None;
}

void UIViewController::finishPresentation(const std::shared_ptr<UIViewController>& presenter, bool /*animated*/,
                                          std::function<void()> completion)
{
    beingPresented_ = false;
    endAppearanceTransition();
    if (coversPresenter()) {
        presenter->endAppearanceTransition();
    }
    if (completion) {
        completion();
    }
}

void UIViewController::dismissViewControllerAnimated(bool animated, std::function<void()> completion)
{
    // A controller that presents something dismisses that; otherwise it asks its presenter to
    // dismiss it.
    std::shared_ptr<UIViewController> presenter;
    if (auto shown = presentedViewController()) {
        presenter = shown->presenting_.lock();
    } else {
        presenter = presentingViewController();
    }
    if (!presenter || !presenter->presented_) {
        return;
    }
    auto dismissed = presenter->presented_;
    if (dismissed->beingPresented_ || dismissed->beingDismissed_) {
        warn("attempt to dismiss " + describe(*dismissed) + " while a presentation is in progress");
        return;
    }
    // Whatever the dismissed controller presents goes with it, without callbacks.
    while (auto above = dismissed->presentedViewController()) {
        auto owner = above->presenting_.lock();
        above->removePresentedView();
        above->presenting_.reset();
        if (owner) {
            owner->presented_.reset();
        } else {
            break;
        }
    }
    dismissed->beingDismissed_ = true;
    dismissed->beginAppearanceTransition(false, animated);
    if (dismissed->coversPresenter()) {
        presenter->beginAppearanceTransition(true, animated);
    }
    if (!animated) {
        dismissed->finishDismissal(presenter, false, std::move(completion));
        return;
    }
    DispatchQueue::main().async([dismissed, presenter, completion = std::move(completion)]() mutable {
        dismissed->finishDismissal(presenter, true, std::move(completion));
    });
}

void UIViewController::finishDismissal(const std::shared_ptr<UIViewController>& presenter, bool animated,
                                       std::function<void()> completion)
{
    auto self = as<UIViewController>();
    removePresentedView(animated);
    if (presenter->presented_ == self) {
        presenter->presented_.reset();
    }
    presenting_.reset();
    beingDismissed_ = false;
    endAppearanceTransition();
    if (coversPresenter()) {
        presenter->endAppearanceTransition();
    }
    if (completion) {
        completion();
    }
}
