#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/URL.hpp"
#include "platform/uikit/LinkOpener.hpp"
#include "platform/uikit/UIApplicationDelegate.hpp"
#include "platform/uikit/UIResponder.hpp"

class UIScene;
class UIWindowScene;

inline const std::string UIApplicationDidBecomeActiveNotification = "UIApplicationDidBecomeActiveNotification";
inline const std::string UIApplicationWillResignActiveNotification = "UIApplicationWillResignActiveNotification";
inline const std::string UIApplicationDidEnterBackgroundNotification = "UIApplicationDidEnterBackgroundNotification";
inline const std::string UIApplicationWillEnterForegroundNotification = "UIApplicationWillEnterForegroundNotification";

enum class UIApplicationState : int { Active = 0, Inactive = 1, Background = 2 };

// The running application: its delegate, its scenes, its state, and opening links.
//
// Life cycle: launch() tells the delegate didFinishLaunching, then activates (delegate
// applicationDidBecomeActive, then UIApplicationDidBecomeActiveNotification on the default
// centre). resignActive/enterBackground/enterForeground/becomeActive follow the platform's order
// and ignore calls that do not fit the current state; terminate() tells the delegate last.
class UIApplication : public UIResponder {
public:
    static UIApplication& sharedApplication();
    // Makes a fresh application object, as a new process would have (for restart tests). The old
    // one, its delegate and its scenes are released.
    static void resetSharedApplication();

    UIApplicationDelegate* delegate() const { return delegate_.get(); }
    std::shared_ptr<UIApplicationDelegate> delegateObject() const { return delegate_; }
    // The application keeps its delegate alive, as UIApplicationMain does.
    void setDelegate(std::shared_ptr<UIApplicationDelegate> delegate) { delegate_ = std::move(delegate); }

    UIApplicationState applicationState() const { return state_; }
    bool isLaunched() const { return launched_; }

    bool launch(const UIApplicationLaunchOptions& options = {});
    void resignActive();
    void enterBackground();
    void enterForeground();
    void becomeActive();
    void terminate();

    // The connected scenes, in the set's own (creation) order; one window scene is created with
    // the first window.
    std::vector<std::shared_ptr<UIScene>> connectedScenes() const;
    std::shared_ptr<UIWindowScene> firstWindowScene();

    // Links go through the installed link opener (the window host's hands them to the desktop,
    // the harness's records them). canOpenURL asks it; openURL hands the URL to it when it can
    // take it and then, on the next turn of the main queue, calls the completion with whether it
    // was handed on. With no opener, no URL can be opened and the completion gets false.
    bool canOpenURL(const URL& url) const;
    void openURL(const URL& url, const std::map<std::string, std::string>& options, std::function<void(bool)> completion);
    const std::shared_ptr<LinkOpener>& linkOpener() const { return linkOpener_; }
    void setLinkOpener(std::shared_ptr<LinkOpener> opener) { linkOpener_ = std::move(opener); }

private:
    std::shared_ptr<UIApplicationDelegate> delegate_;
    UIApplicationState state_ = UIApplicationState::Inactive;
    bool launched_ = false;
    bool terminated_ = false;
    std::vector<std::shared_ptr<UIScene>> scenes_;
    std::shared_ptr<LinkOpener> linkOpener_;
};

using UIApplicationDelegateFactory = std::function<std::shared_ptr<UIApplicationDelegate>()>;

// Runs the application: makes the delegate, launches, and runs the main loop until the
// application terminates. The principal class name must be empty (no subclass of
// UIApplication exists). Returns 0, or what the installed host returns.
int UIApplicationMain(int argc, char** argv, const std::optional<std::string>& principalClassName,
                      const UIApplicationDelegateFactory& makeDelegate);

// A host that runs the application in place of the headless loop (the window host of the
// drawing backend): it gets the command line and the delegate factory and returns the exit code.
using UIApplicationMainHost = std::function<int(int argc, char** argv, const UIApplicationDelegateFactory& makeDelegate)>;
void UIApplicationSetMainHost(UIApplicationMainHost host);
