#pragma once

#include <functional>
#include <memory>

#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace Material {

// A container whose content is one root view controller (a child, filling the container
// unless a subclass makes room for bars). prepare() runs once, from viewDidLoad, after the
// root view is installed; subclasses override it and call the base first.
//
// Appearance: the container's own appearance goes on to the root controller (it is always on
// screen). transition(to:completion:) swaps the root: when the container is on screen the old
// root gets viewWillDisappear, the new one viewWillAppear, then viewDidDisappear and
// viewDidAppear; the completion runs last, before transition returns.
class RootController : public UIViewController {
public:
    explicit RootController(std::shared_ptr<UIViewController> rootViewController);
    explicit RootController(const NSCoder& coder);

    std::shared_ptr<UIViewController> rootViewController() const { return rootViewController_; }
    void transition(const std::shared_ptr<UIViewController>& controller, std::function<void(bool)> completion = {});

    virtual void prepare() {}

    void loadView() override;
    void viewDidLoad() override;

protected:
    // Places the bars and the root view; subclasses with bars override it.
    virtual void layoutContainer();
    // The area the root controller's view takes.
    CGRect rootFrame() const;
    virtual CGRect contentArea() const;

private:
    std::shared_ptr<UIViewController> rootViewController_;
};

// The root view of Material containers: its layout pass hands over to the controller.
class ContainerView : public UIView {
public:
    using UIView::UIView;
    void setLayoutHandler(std::function<void()> handler) { layoutHandler_ = std::move(handler); }
    void layoutSubviews() override
    {
        if (layoutHandler_) {
            layoutHandler_();
        }
    }

private:
    std::function<void()> layoutHandler_;
};

} // namespace Material
