#pragma once

#include <memory>

#include "platform/material/RootController.hpp"
#include "platform/material/Toolbar.hpp"

namespace Material {

enum class UIStatusBarStyle : int { defaultStyle = 0, lightContent = 1, darkContent = 3 };

// A status bar strip (20 points unless hidden) and a toolbar above the root controller. The
// toolbar keeps the height it has (56 points when it has none) and spans the width.
class ToolbarController : public RootController {
public:
    explicit ToolbarController(std::shared_ptr<UIViewController> rootViewController);
    explicit ToolbarController(const NSCoder& coder);

    const std::shared_ptr<Toolbar>& toolbar() const { return toolbar_; }
    const std::shared_ptr<UIView>& statusBar() const { return statusBar_; }
    UIStatusBarStyle statusBarStyle() const { return statusBarStyle_; }
    void setStatusBarStyle(UIStatusBarStyle style) { statusBarStyle_ = style; }
    bool isStatusBarHidden() const { return statusBar_->isHidden(); }
    void setStatusBarHidden(bool hidden);

    void viewDidLoad() override;

protected:
    void layoutContainer() override;
    CGRect contentArea() const override;

private:
    std::shared_ptr<Toolbar> toolbar_ = std::make_shared<Toolbar>();
    std::shared_ptr<UIView> statusBar_ = std::make_shared<UIView>();
    UIStatusBarStyle statusBarStyle_ = UIStatusBarStyle::defaultStyle;
};

} // namespace Material
