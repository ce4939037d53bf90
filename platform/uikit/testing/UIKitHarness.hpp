#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/testing/AnalyticsRecorder.hpp"
#include "platform/uikit/testing/RecordingLinkOpener.hpp"

namespace uikit::testing {

// Drives the application headless: no display, no real input, and a virtual clock, so tests
// run the main loop by hand and nothing sleeps for real.
//
//     Harness h;                              // virtual clock, phone screen, light style
//     auto app = h.launch<AppDelegate>();     // didFinishLaunching, then activation
//     h.tapAccessibilityIdentifier("toolbarRemoveButton");
//     h.tapAlertAction("OK");
//     h.advance(3.0);                         // timers and animations due in 3 s run
//     h.finishAnimations();                   // the clock moves to the end of all animations
//     h.runUntil([&] { return h.presentedAlert() != nullptr; });  // a fetch on another thread
//     EXPECT_EQ(h.analytics().names(), (std::vector<std::string>{"Tapped App Link"}));
//     h.simulateRestart();                    // defaults survive, shared objects are made anew
//
// Every input runs the main loop until idle afterwards, with layout passes of the windows. A tap
// while a table row shows its Delete button only hides the button, as on the phone, unless it
// is the button.
// Input that a user could not give is refused and answered with false: a view that is hidden,
// transparent, disabled, outside any window, under a presented controller, or whose centre lies
// under a view in front of it that takes touches (a busy overlay, an open drawer).
class Harness {
public:
    struct Options {
        CGSize screenSize{390, 844};
        CGFloat screenScale = 3;
        UIEdgeInsets safeAreaInsets{47, 0, 34, 0};
        UIUserInterfaceIdiom idiom = UIUserInterfaceIdiom::Phone;
        UIUserInterfaceStyle interfaceStyle = UIUserInterfaceStyle::Light;
    };

    Harness();
    explicit Harness(const Options& options);
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Launch: the delegate becomes the application's, gets didFinishLaunching, then the
    // application becomes active.
    template <class Delegate>
    std::shared_ptr<Delegate> launch()
    {
        auto delegate = std::make_shared<Delegate>();
        launch(delegate);
        return delegate;
    }
    void launch(const std::shared_ptr<UIApplicationDelegate>& delegate);
    UIApplication& application() const { return UIApplication::sharedApplication(); }

    // Life cycle of the application.
    void resignActive();
    void enterBackground();
    void enterForeground();
    void becomeActive();
    // Background then foreground then active again: what switching apps does.
    void cycleThroughBackground();
    void terminate();

    // Main loop and clock.
    size_t runUntilIdle();
    void advance(double seconds);
    // For work that finishes on another thread (a URL data task, the remote-configuration
    // fetch): runs the main loop until the predicate holds. Between checks it waits a few
    // milliseconds of real time for the other thread to post; when nothing comes it moves the
    // virtual clock on to the next timer. Gives up after timeout seconds of real waiting or of
    // virtual time, whichever runs out first; answers whether the predicate came true.
    bool runUntil(const std::function<bool()>& predicate, double timeout = 5.0);
    // Advances the virtual clock to the end of the last running view animation, so every
    // animation has finished and its completion has run. Nothing happens when none runs.
    void finishAnimations();

    // Every analytics call since the harness began (restarts included), as made.
    AnalyticsRecorder& analytics() { return analytics_; }
    const AnalyticsRecorder& analytics() const { return analytics_; }
    // The application's link opener (also after a restart): it opens nothing and records the
    // links; it takes only the schemes installed on it.
    RecordingLinkOpener& linkOpener() { return *linkOpener_; }

    // What is on screen.
    std::shared_ptr<UIWindow> window() const;
    std::shared_ptr<UIViewController> rootViewController() const;
    // The controller on top of the modal stack, or the root controller when nothing is presented.
    std::shared_ptr<UIViewController> topViewController() const;
    template <class T>
    std::shared_ptr<T> presented() const
    {
        auto top = topViewController();
        return top == rootViewController() ? nullptr : std::dynamic_pointer_cast<T>(top);
    }
    std::shared_ptr<UIAlertController> presentedAlert() const { return presented<UIAlertController>(); }
    std::shared_ptr<UIView> viewWithAccessibilityIdentifier(const std::string& identifier) const;

    // Input.
    bool tap(const std::shared_ptr<UIView>& view);
    bool tapAccessibilityIdentifier(const std::string& identifier);
    bool tapAlertAction(const std::string& title);
    bool tapRow(const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath);
    // A finger put down, moved and lifted as the window's mouse does, at points in the view's
    // own coordinates: the touch goes to whatever lies at the point (which need not be the view
    // itself), through the same tracking as in the window (uikit::TouchTracker). A swipe moves
    // in a few large steps, a drag in many small ones (the row and the stars follow it live).
    // Each answers whether something followed the finger (a view that tracks touches, a row
    // swiped or reordered, a shown Delete button hidden); a view a user could not touch is
    // refused. Scrolling is not driven here.
    //     h.swipe(cell, {300, 22}, {100, 22});                  // reveals the row's Delete
    //     h.tap(cell->deleteConfirmationButton());               // commits the delete
    //     h.drag(cell->reorderControl(), {22, 22}, {22, 22 + 2 * 44});  // two rows down
    //     h.tap(stars, {70, 10});                                 // a touch at a point
    bool swipe(const std::shared_ptr<UIView>& view, CGPoint from, CGPoint to);
    bool drag(const std::shared_ptr<UIView>& view, CGPoint from, CGPoint to, int steps = 12);
    // A tap at a point of the view. Taken by the tracking above when something there follows
    // touches; otherwise as tap(view).
    bool tap(const std::shared_ptr<UIView>& view, CGPoint point);
    // Taps the field; then puts the cursor at the offset (at the end when none).
    bool focus(const std::shared_ptr<UITextField>& field, std::optional<int64_t> cursor = std::nullopt);
    bool select(const std::shared_ptr<UITextField>& field, int64_t from, int64_t to);
    // Whether a user could touch the view now.
    bool isTouchable(const std::shared_ptr<UIView>& view) const;

    // A restart of the program: the application terminates and goes with its windows, and
    // with them every view and its animations; the once-only shared objects (ProcessShared) are
    // forgotten; notification observers and all work queued on the main loop (ready, timed,
    // repeating timers) are dropped; the user defaults are read again from their file. What
    // stays: the defaults file and other files, the virtual clock's time, the screen, the
    // recorded analytics calls and the link opener with what it recorded. Known limit: work still running on another thread (a data task)
    // may post its completion into the new process; such completions should hold what they
    // need weakly.
    void simulateRestart();

private:
    void layoutWindows();
    bool moveFinger(const std::shared_ptr<UIView>& view, const std::vector<CGPoint>& path);
    void releaseApplication();
    Options options_;
    AnalyticsRecorder analytics_;
    std::shared_ptr<RecordingLinkOpener> linkOpener_ = std::make_shared<RecordingLinkOpener>();
    // The screen as it was before, put back when the harness goes.
    CGSize previousScreenSize_;
    CGFloat previousScreenScale_ = 1;
    UIEdgeInsets previousSafeAreaInsets_;
};

} // namespace uikit::testing
