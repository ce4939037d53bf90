#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/UIViewController.hpp"

class UIView;

// The base of the calculate and solution pages: it holds the area a bottom banner would take.
// No banner is ever shown; the pages hide bannerView whenever they appear, and a page without
// one simply has nothing to hide.
class AdHandlingViewController : public UIViewController {
public:
    AdHandlingViewController() = default;
    explicit AdHandlingViewController(const NSCoder& coder) : UIViewController(coder) {}
    AdHandlingViewController(std::optional<std::string> nibName, const NSBundle* bundle)
        : UIViewController(std::move(nibName), bundle) {}

    std::shared_ptr<UIView> bannerView;
};
