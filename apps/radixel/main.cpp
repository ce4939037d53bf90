// Radixel's entry point. For now the application delegate only shows the example solution in
// a window; the application's own delegate takes its place with the screens.
#include <memory>
#include <optional>

#include "apps/radixel/ExampleSolutionViewController.hpp"
#include "platform/render/WindowHost.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

class ExampleAppDelegate : public UIApplicationDelegate {
public:
    bool applicationDidFinishLaunchingWithOptions(UIApplication& /*application*/, const UIApplicationLaunchOptions& /*options*/) override
    {
        window_ = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        window_->setBackgroundColor(UIColor::systemBackgroundColor());
        window_->setRootViewController(std::make_shared<ExampleSolutionViewController>());
        window_->makeKeyAndVisible();
        return true;
    }

private:
    std::shared_ptr<UIWindow> window_;
};

} // namespace

int main(int argc, char** argv)
{
    render::WindowHost::install();
    return UIApplicationMain(argc, argv, std::nullopt, [] { return std::make_shared<ExampleAppDelegate>(); });
}
