#include "Radixel/services/ViewManager.hpp"

#include "Radixel/services/ThemeColor.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/motion/MotionGeometry.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

constexpr double toastVisibleSeconds = 3.0;
constexpr double toastFadeSeconds = 2.0;

UIFont toastFont() {
    // Without the named face the toast keeps its size in the system font.
    return UIFont::fontWithName("Avenir-Book", 14).value_or(UIFont::systemFontOfSize(14));
}

}  // namespace

std::shared_ptr<UIWindow> ViewManager::keyWindow() {
    std::vector<std::shared_ptr<UIScene>> scenes = UIApplication::sharedApplication().connectedScenes();
    if (scenes.empty()) return nullptr;
    auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scenes.front());
    if (!windowScene) return nullptr;
    std::vector<std::shared_ptr<UIWindow>> windows = windowScene->windows();
    return windows.empty() ? nullptr : windows.front();
}

void ViewManager::showToast(const std::string& message) {
    std::shared_ptr<UIWindow> window = keyWindow();
    std::shared_ptr<UIViewController> root = window ? window->rootViewController() : nullptr;
    std::shared_ptr<UIView> rootView = root ? root->view() : nullptr;
    if (!rootView) return;

    CGFloat width = rootView->frame().size.width;
    CGFloat height = rootView->frame().size.height;
    auto toast = std::make_shared<UILabel>(CGRect{0.5 * width - 0.5 * (0.9 * width), height - 120, 0.9 * width, 40});
    toast->setBackgroundColor(ThemeColor::label().colorWithAlphaComponent(0.8));
    toast->setTextColor(ThemeColor::tertiaryBackground());
    toast->setFont(toastFont());
    toast->setTextAlignment(NSTextAlignment::Center);
    toast->setText(message);
    toast->setAlpha(1.0);
    toast->layer()->setCornerRadius(10);
    toast->setClipsToBounds(true);
    toast->setNumberOfLines(2);
    rootView->addSubview(toast);

    // A toast whose screen went away in the meantime is not kept alive just to be faded.
    std::weak_ptr<UILabel> weakToast = toast;
    DispatchQueue::main().asyncAfter(toastVisibleSeconds, [weakToast] {
        if (auto label = weakToast.lock()) fadeOutToast(label);
    });
}

void ViewManager::fadeOutToast(const std::shared_ptr<UILabel>& toast) {
    std::weak_ptr<UILabel> weakToast = toast;
    UIView::animateWithDuration(
        toastFadeSeconds, 0, UIViewAnimationOptionCurveEaseOut, [weakToast] {
            if (auto label = weakToast.lock()) label->setAlpha(0);
        },
        [weakToast](bool) {
            if (auto label = weakToast.lock()) label->removeFromSuperview();
        });
}

void ViewManager::showBusyOverlay() { DispatchQueue::main().async([] { showBusyOverlayNow(); }); }

void ViewManager::hideBusyOverlay() { DispatchQueue::main().async([] { hideBusyOverlayNow(); }); }

void ViewManager::showBusyOverlayNow() {
    std::shared_ptr<UIWindow> window = keyWindow();
    if (!window || window->viewWithTag(busyOverlayTag)) return;

    auto overlay = std::make_shared<UIView>(window->frame());
    overlay->setTag(busyOverlayTag);
    overlay->setBackgroundColor(UIColor::colorWithWhite(0.0, 0.7));
    window->addSubview(overlay);

    auto indicator = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyle::Large);
    indicator->setCenter(Motion::center(overlay->frame()));
    bool dark = UITraitCollection::currentTraitCollection().isDark();
    indicator->setColor(dark ? ThemeColor::lightText() : ThemeColor::tertiaryBackground());
    indicator->startAnimating();
    overlay->addSubview(indicator);
}

void ViewManager::hideBusyOverlayNow() {
    std::shared_ptr<UIWindow> window = keyWindow();
    if (!window) return;
    if (std::shared_ptr<UIView> overlay = window->viewWithTag(busyOverlayTag)) overlay->removeFromSuperview();
}
