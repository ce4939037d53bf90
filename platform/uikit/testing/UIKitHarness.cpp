#include "platform/uikit/testing/UIKitHarness.hpp"

#include <algorithm>
#include <chrono>
#include <functional>
#include <iostream>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/RunningAnimations.hpp"
#include "platform/uikit/TouchTracker.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UITableViewCell.hpp"

namespace uikit::testing {

namespace {

// Loops of work that keeps adding work (a layout that always asks for more) end here.
constexpr int maximumRounds = 1000;

std::vector<std::shared_ptr<UIWindow>> allWindows()
{
    std::vector<std::shared_ptr<UIWindow>> windows;
    for (const auto& scene : UIApplication::sharedApplication().connectedScenes()) {
        if (auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scene)) {
            auto list = windowScene->windows();
            windows.insert(windows.end(), list.begin(), list.end());
        }
    }
    return windows;
}

bool anyNeedsLayout(const UIView& view)
{
    if (view.needsLayout()) {
        return true;
    }
    for (const auto& subview : view.subviews()) {
        if (anyNeedsLayout(*subview)) {
            return true;
        }
    }
    return false;
}

} // namespace

Harness::Harness() : Harness(Options{}) {}

Harness::Harness(const Options& options)
    : options_(options), previousScreenSize_(UIScreen::mainScreen().bounds().size), previousScreenScale_(UIScreen::mainScreen().scale()),
      previousSafeAreaInsets_(UIScreen::mainScreen().defaultSafeAreaInsets())
{
    DispatchClock::useVirtualTime();
    UIScreen::mainScreen().configure(options.screenSize, options.screenScale);
    UIScreen::mainScreen().setDefaultSafeAreaInsets(options.safeAreaInsets);
    UIDevice::currentDevice().setUserInterfaceIdiom(options.idiom);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(options.interfaceStyle));
    UIApplication::resetSharedApplication();
    application().setLinkOpener(linkOpener_);
}

Harness::~Harness()
{
    releaseApplication();
    application().setLinkOpener(nullptr);
    ProcessLifetime::resetAll();
    runUntilIdle();
    DispatchClock::useRealTime();
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Light));
    UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Phone);
    UIScreen::mainScreen().configure(previousScreenSize_, previousScreenScale_);
    UIScreen::mainScreen().setDefaultSafeAreaInsets(previousSafeAreaInsets_);
}

void Harness::releaseApplication()
{
    // Dismiss what is presented first: alert handlers often hold their presenter, which would
    // otherwise keep the whole tree alive.
    for (const auto& w : allWindows()) {
        if (auto root = w->rootViewController(); root && root->presentedViewController()) {
            root->dismissViewControllerAnimated(false);
        }
    }
    if (auto responder = UIResponder::currentFirstResponder()) {
        responder->resignFirstResponder();
    }
    UIApplication::resetSharedApplication();
    application().setLinkOpener(linkOpener_);
}

void Harness::launch(const std::shared_ptr<UIApplicationDelegate>& delegate)
{
    application().setDelegate(delegate);
    application().launch();
    runUntilIdle();
}

void Harness::resignActive()
{
    application().resignActive();
    runUntilIdle();
}

void Harness::enterBackground()
{
    application().enterBackground();
    runUntilIdle();
}

void Harness::enterForeground()
{
    application().enterForeground();
    runUntilIdle();
}

void Harness::becomeActive()
{
    application().becomeActive();
    runUntilIdle();
}

void Harness::cycleThroughBackground()
{
    enterBackground();
    enterForeground();
    becomeActive();
}

void Harness::terminate()
{
    application().terminate();
    runUntilIdle();
}

void Harness::layoutWindows()
{
    for (const auto& w : allWindows()) {
        w->layoutIfNeeded();
    }
}

size_t Harness::runUntilIdle()
{
    size_t total = 0;
    for (int round = 0; round < maximumRounds; ++round) {
        size_t ran = RunLoop::main().runUntilIdle();
        total += ran;
        bool layoutPending = false;
        for (const auto& w : allWindows()) {
            layoutPending = layoutPending || anyNeedsLayout(*w);
        }
        if (layoutPending) {
            layoutWindows();
        }
        if (ran == 0 && !layoutPending) {
            return total;
        }
    }
    std::cerr << "Harness: the main loop did not become idle after " << maximumRounds << " rounds\n";
    return total;
}

void Harness::advance(double seconds)
{
    runUntilIdle();
    RunLoop::main().runFor(seconds);
    runUntilIdle();
}

bool Harness::runUntil(const std::function<bool()>& predicate, double timeout)
{
    // Long enough for a loopback reply to arrive, short enough that tests stay quick.
    constexpr double realWaitSlice = 0.005;
    using RealClock = std::chrono::steady_clock;
    const auto realEnd = RealClock::now() + std::chrono::duration_cast<RealClock::duration>(std::chrono::duration<double>(timeout));
    const double virtualEnd = DispatchClock::now() + timeout;
    for (;;) {
        runUntilIdle();
        if (predicate()) {
            return true;
        }
        if (RealClock::now() >= realEnd) {
            return false;
        }
        if (RunLoop::main().waitForRunnableWork(realWaitSlice)) {
            continue;
        }
        // Nothing came from another thread: let the next timer fire, if it falls in the budget.
        auto next = RunLoop::main().secondsUntilNextWork();
        if (next && DispatchClock::now() + *next <= virtualEnd) {
            RunLoop::main().runFor(*next);
        }
    }
}

void Harness::finishAnimations()
{
    runUntilIdle();
    if (auto end = uikit::RunningAnimations::latestEnd()) {
        advance(std::max(0.0, *end - DispatchClock::now()));
    }
}

std::shared_ptr<UIWindow> Harness::window() const
{
    for (const auto& scene : application().connectedScenes()) {
        if (auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scene)) {
            auto windows = windowScene->windows();
            if (!windows.empty()) {
                return windows.front();
            }
        }
    }
    return nullptr;
}

std::shared_ptr<UIViewController> Harness::rootViewController() const
{
    auto w = window();
    return w ? w->rootViewController() : nullptr;
}

std::shared_ptr<UIViewController> Harness::topViewController() const
{
    auto top = rootViewController();
    while (top) {
        auto next = top->presentedViewController();
        if (!next) {
            break;
        }
        top = next;
    }
    return top;
}

std::shared_ptr<UIView> Harness::viewWithAccessibilityIdentifier(const std::string& identifier) const
{
    // A screen on its way out after a dismissal may still show a view of that name: the one a
    // finger can reach is meant, the front-most one otherwise.
    std::vector<std::shared_ptr<UIView>> found;
    std::function<void(const std::shared_ptr<UIView>&)> collect = [&](const std::shared_ptr<UIView>& view) {
        if (view->accessibilityIdentifier() == identifier) {
            found.push_back(view);
        }
        for (const auto& subview : view->subviews()) {
            collect(subview);
        }
    };
    for (const auto& w : allWindows()) {
        collect(w);
    }
    auto touchable = std::find_if(found.rbegin(), found.rend(), [this](const auto& view) { return isTouchable(view); });
    if (touchable != found.rend()) {
        return *touchable;
    }
    return found.empty() ? nullptr : found.back();
}

bool Harness::isTouchable(const std::shared_ptr<UIView>& view) const
{
    if (!view || !view->window()) {
        return false;
    }
    for (auto v = view; v; v = v->superview()) {
        if (v->isHidden() || v->alpha() <= 0.01 || !v->isUserInteractionEnabled()) {
            return false;
        }
    }
    // Any view in front that takes touches there (a busy overlay, an open drawer) swallows them.
    auto w = view->window();
    CGRect own = view->bounds();
    CGPoint point = view->convertPointToView({own.midX(), own.midY()}, w.get());
    for (auto v = view; v; v = v->superview()) {
        auto parent = v->superview();
        if (!parent) {
            break;
        }
        const auto& siblings = parent->subviews();
        auto it = std::find(siblings.begin(), siblings.end(), v);
        for (++it; it != siblings.end(); ++it) {
            const auto& front = *it;
            if (front->isHidden() || front->alpha() <= 0.01 || !front->isUserInteractionEnabled()) {
                continue;
            }
            CGRect area = front->convertRectToView(front->bounds(), w.get());
            if (point.x >= area.minX() && point.x <= area.maxX() && point.y >= area.minY() && point.y <= area.maxY() && !area.isEmpty()) {
                return false;
            }
        }
    }
    // A presented controller covers everything below it.
    auto top = topViewController();
    if (top && top != rootViewController()) {
        auto topView = top->viewIfLoaded();
        if (!topView || !view->isDescendantOfView(topView.get())) {
            return false;
        }
    }
    return true;
}

bool Harness::moveFinger(const std::shared_ptr<UIView>& view, const std::vector<CGPoint>& path)
{
    if (!isTouchable(view) || path.empty()) {
        return false;
    }
    auto w = view->window();
    // Taken where the view is when the finger comes down: the view may move with the finger.
    std::vector<CGPoint> inWindow;
    for (CGPoint point : path) {
        inWindow.push_back(view->convertPointToView(point, w.get()));
    }
    TouchTracker finger;
    bool tracked = finger.began(w, inWindow.front());
    runUntilIdle();
    for (size_t i = 1; i < inWindow.size(); ++i) {
        tracked = finger.moved(inWindow[i]) || tracked;
        runUntilIdle();
    }
    tracked = finger.ended(inWindow.back()) || tracked;
    runUntilIdle();
    return tracked;
}

namespace {

std::vector<CGPoint> pathBetween(CGPoint from, CGPoint to, int steps)
{
    steps = std::clamp(steps, 1, 1000);
    std::vector<CGPoint> path;
    for (int i = 0; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        path.push_back({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
    }
    return path;
}

} // namespace

bool Harness::swipe(const std::shared_ptr<UIView>& view, CGPoint from, CGPoint to)
{
    return moveFinger(view, pathBetween(from, to, 3));
}

bool Harness::drag(const std::shared_ptr<UIView>& view, CGPoint from, CGPoint to, int steps)
{
    return moveFinger(view, pathBetween(from, to, steps));
}

bool Harness::tap(const std::shared_ptr<UIView>& view, CGPoint point)
{
    if (!isTouchable(view)) {
        return false;
    }
    auto w = view->window();
    TouchTracker finger;
    CGPoint inWindow = view->convertPointToView(point, w.get());
    if (finger.began(w, inWindow)) {
        finger.ended(inWindow);
        runUntilIdle();
        return true;
    }
    finger.cancelled();
    return tap(view);
}

bool Harness::tap(const std::shared_ptr<UIView>& view)
{
    if (!isTouchable(view)) {
        return false;
    }
    {
        // What the window does first with a finger coming down at the view's centre: hide a
        // shown Delete button, or hand the touch to a view that follows touches.
        auto w = view->window();
        CGRect own = view->bounds();
        CGPoint centre = view->convertPointToView({own.midX(), own.midY()}, w.get());
        if (TouchTracker finger; finger.began(w, centre)) {
            bool toView = finger.trackingView() != nullptr;
            finger.ended(centre);
            runUntilIdle();
            return toView;
        } else {
            finger.cancelled();
        }
    }
    bool handled = false;
    if (auto control = std::dynamic_pointer_cast<UIControl>(view)) {
        if (!control->isEnabled()) {
            return false;
        }
        control->tap();
        handled = true;
    } else if (auto cell = std::dynamic_pointer_cast<UITableViewCell>(view)) {
        auto table = std::dynamic_pointer_cast<UITableView>(cell->superview());
        auto indexPath = table ? table->indexPathForCell(cell) : std::nullopt;
        handled = indexPath && table->userDidTapRow(*indexPath);
    }
    runUntilIdle();
    return handled;
}

bool Harness::tapAccessibilityIdentifier(const std::string& identifier)
{
    return tap(viewWithAccessibilityIdentifier(identifier));
}

bool Harness::tapAlertAction(const std::string& title)
{
    auto alert = presentedAlert();
    if (!alert || topViewController() != alert) {
        return false;
    }
    bool tapped = alert->userDidTapActionWithTitle(title);
    runUntilIdle();
    return tapped;
}

bool Harness::tapRow(const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath)
{
    if (!isTouchable(table)) {
        return false;
    }
    table->scrollToRowAtIndexPath(indexPath, UITableViewScrollPosition::None, false);
    if (auto shown = table->indexPathForRowShowingDeleteConfirmation()) {
        // The tap only hides the Delete button, as on the phone.
        table->hideDeleteConfirmation();
        runUntilIdle();
        return false;
    }
    bool handled = table->userDidTapRow(indexPath);
    runUntilIdle();
    return handled;
}

bool Harness::focus(const std::shared_ptr<UITextField>& field, std::optional<int64_t> cursor)
{
    if (!tap(field) || !field->isFirstResponder()) {
        return false;
    }
    if (cursor) {
        return select(field, *cursor, *cursor);
    }
    return true;
}

bool Harness::select(const std::shared_ptr<UITextField>& field, int64_t from, int64_t to)
{
    if (!field || !field->isFirstResponder()) {
        return false;
    }
    auto range = field->textRangeFromPosition({from}, {to});
    if (!range) {
        return false;
    }
    field->setSelectedTextRange(range);
    return true;
}

void Harness::simulateRestart()
{
    application().terminate();
    runUntilIdle();
    releaseApplication();
    ProcessLifetime::resetAll();
    NSUserDefaults::resetStandardUserDefaultsForTesting();
    NSNotificationCenter::defaultCenter().removeAllObserversForTesting();
    RunLoop::main().discardPendingWorkForTesting();
}

} // namespace uikit::testing
