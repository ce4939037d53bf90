#include "platform/uikit/UIApplication.hpp"

#include <iostream>

#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIScene.hpp"

namespace {

std::shared_ptr<UIApplication>& sharedSlot()
{
    static std::shared_ptr<UIApplication> application = std::make_shared<UIApplication>();
    return application;
}

} // namespace

UIApplication& UIApplication::sharedApplication()
{
    return *sharedSlot();
}

void UIApplication::resetSharedApplication()
{
    auto old = std::move(sharedSlot());
    sharedSlot() = std::make_shared<UIApplication>();
    old.reset();
}

bool UIApplication::launch(const UIApplicationLaunchOptions& options)
{
    if (launched_) {
        return true;
    }
    launched_ = true;
    bool answer = delegate_ ? delegate_->applicationDidFinishLaunchingWithOptions(*this, options) : true;
    becomeActive();
    return answer;
}

void UIApplication::becomeActive()
{
    if (!launched_ || terminated_ || state_ == UIApplicationState::Active) {
        return;
    }
    if (state_ == UIApplicationState::Background) {
        enterForeground();
    }
    state_ = UIApplicationState::Active;
    if (delegate_) {
        delegate_->applicationDidBecomeActive(*this);
    }
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationDidBecomeActiveNotification);
}

void UIApplication::resignActive()
{
    if (state_ != UIApplicationState::Active) {
        return;
    }
    if (delegate_) {
        delegate_->applicationWillResignActive(*this);
    }
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationWillResignActiveNotification);
    state_ = UIApplicationState::Inactive;
}

void UIApplication::enterBackground()
{
    if (state_ == UIApplicationState::Active) {
        resignActive();
    }
    if (state_ != UIApplicationState::Inactive || terminated_) {
        return;
    }
    state_ = UIApplicationState::Background;
    if (delegate_) {
        delegate_->applicationDidEnterBackground(*this);
    }
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationDidEnterBackgroundNotification);
}

void UIApplication::enterForeground()
{
    if (state_ != UIApplicationState::Background) {
        return;
    }
    if (delegate_) {
        delegate_->applicationWillEnterForeground(*this);
    }
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationWillEnterForegroundNotification);
    state_ = UIApplicationState::Inactive;
}

void UIApplication::terminate()
{
    if (terminated_) {
        return;
    }
    if (state_ == UIApplicationState::Active) {
        resignActive();
    }
    terminated_ = true;
    if (delegate_) {
        delegate_->applicationWillTerminate(*this);
    }
}

std::vector<std::shared_ptr<UIScene>> UIApplication::connectedScenes() const
{
    return scenes_;
}

std::shared_ptr<UIWindowScene> UIApplication::firstWindowScene()
{
    for (const auto& scene : scenes_) {
        if (auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scene)) {
            return windowScene;
        }
    }
    auto scene = std::make_shared<UIWindowScene>();
    scenes_.push_back(scene);
    return scene;
}

bool UIApplication::canOpenURL(const URL& url) const
{
    return linkOpener_ && linkOpener_->canOpen(url);
}

void UIApplication::openURL(const URL& url, const std::map<std::string, std::string>& /*options*/, std::function<void(bool)> completion)
{
    bool handed = canOpenURL(url) && linkOpener_->open(url);
    if (completion) {
        DispatchQueue::main().async([completion = std::move(completion), handed] { completion(handed); });
    }
}

namespace {
UIApplicationMainHost& mainHost()
{
    static UIApplicationMainHost host;
    return host;
}
} // namespace

void UIApplicationSetMainHost(UIApplicationMainHost host)
{
    mainHost() = std::move(host);
}

int UIApplicationMain(int argc, char** argv, const std::optional<std::string>& principalClassName,
                      const UIApplicationDelegateFactory& makeDelegate)
{
    if (principalClassName && !principalClassName->empty() && *principalClassName != "UIApplication") {
        std::cerr << "UIApplicationMain: unknown principal class \"" << *principalClassName << "\"; using UIApplication\n";
    }
    if (mainHost()) {
        return mainHost()(argc, argv, makeDelegate);
    }
    auto& application = UIApplication::sharedApplication();
    if (makeDelegate) {
        application.setDelegate(makeDelegate());
    }
    application.launch();
    RunLoop::main().run();
    application.terminate();
    return 0;
}
