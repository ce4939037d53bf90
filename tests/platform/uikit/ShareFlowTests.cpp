#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/uikit/MainActorTask.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"

using uikit::testing::Harness;

namespace {

// The shape of the share flow: a quality alert goes up at once while a main-actor task captures
// rows with a 2 s pause each; the sheet is presented when the capture ends, which is refused
// while the alert is still up, and the alert's OK presents it again after the alert is gone.
class ShareScreen : public UIViewController {
public:
    std::vector<std::string> log;
    std::shared_ptr<UIImage> stacked;

    void share()
    {
        auto alert = UIAlertController::alertControllerWithTitle("Quality", "Charts take a moment", UIAlertControllerStyle::Alert);
        std::weak_ptr<ShareScreen> weakSelf = std::static_pointer_cast<ShareScreen>(shared_from_this());
        alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::Default, [weakSelf](const auto&) {
            if (auto self = weakSelf.lock()) {
                self->presentSheet("from OK");
            }
        }));
        presentViewController(alert, true);
        Task<>::run(TaskPriority::UserInitiated, [weakSelf]() -> Task<> { return capture(weakSelf); });
    }

    static Task<> capture(std::weak_ptr<ShareScreen> weakSelf)
    {
        for (int row = 0; row < 2; ++row) {
            co_await Task<>::sleep(2'000'000'000);
        }
        if (auto self = weakSelf.lock()) {
            self->stacked = std::make_shared<UIImage>(CGSize{390, 400}, 3);
            self->presentSheet("from capture");
        }
    }

    void presentSheet(const std::string& origin)
    {
        if (!stacked) {
            log.push_back(origin + ": nothing to share yet");
            return;
        }
        auto sheet = std::make_shared<UIActivityViewController>(std::vector<std::any>{stacked}, std::vector<std::any>{});
        presentViewController(sheet, true);
        log.push_back(origin + (presentedViewController() == sheet ? ": sheet shown" : ": refused"));
    }
};

class Delegate : public UIResponder, public UIApplicationDelegate {
public:
    std::shared_ptr<UIWindow> window;
    bool applicationDidFinishLaunchingWithOptions(UIApplication&, const UIApplicationLaunchOptions&) override
    {
        window = std::make_shared<UIWindow>(CGRect{0, 0, 390, 844});
        window->setRootViewController(std::make_shared<ShareScreen>());
        window->makeKeyAndVisible();
        return true;
    }
};

} // namespace

TEST(ShareFlow, TheAlertStaysAnswerableWhileTheCaptureSleeps)
{
    Harness h;
    h.launch<Delegate>();
    auto screen = std::dynamic_pointer_cast<ShareScreen>(h.rootViewController());
    screen->share();
    h.runUntilIdle();
    ASSERT_TRUE(h.presentedAlert());

    h.advance(4.0);
    EXPECT_EQ(screen->log, (std::vector<std::string>{"from capture: refused"}));
    EXPECT_TRUE(h.presentedAlert());

    EXPECT_TRUE(h.tapAlertAction("OK"));
    EXPECT_EQ(screen->log.back(), "from OK: sheet shown");
    auto sheet = h.presented<UIActivityViewController>();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->activityItemsOfType<std::shared_ptr<UIImage>>().front(), screen->stacked);
}
