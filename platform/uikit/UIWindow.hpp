#pragma once

#include <memory>
#include <optional>

#include "platform/uikit/UIView.hpp"

class UIViewController;
class UIWindowScene;

// A window. Made with a frame, it joins the application's first window scene at once (the
// scene is created when there is none). It owns its root view controller; the root view fills
// the window. makeKeyAndVisible shows it: the root controller gets viewWillAppear at once and
// viewDidAppear on the next turn of the main queue.
class UIWindow : public UIView {
public:
    UIWindow();
    explicit UIWindow(const CGRect& frame);
    ~UIWindow() override;

    std::shared_ptr<UIViewController> rootViewController() const { return rootViewController_; }
    void setRootViewController(std::shared_ptr<UIViewController> controller);

    void makeKeyAndVisible();
    bool isKeyWindow() const;
    std::shared_ptr<UIWindowScene> windowScene() const { return scene_.lock(); }

    // The insets the window keeps clear; the screen's defaults unless set.
    UIEdgeInsets windowSafeAreaInsets() const;
    void setSafeAreaInsets(std::optional<UIEdgeInsets> insets) { safeAreaInsets_ = insets; }

    void setFrame(const CGRect& frame) override;

    // The key window of the application, if any.
    static std::shared_ptr<UIWindow> keyWindow();

private:
    void attachToScene();
    void installRootView();

    std::shared_ptr<UIViewController> rootViewController_;
    std::weak_ptr<UIWindowScene> scene_;
    std::optional<UIEdgeInsets> safeAreaInsets_;
    bool visible_ = false;
};
