#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UIViewController.hpp"

class NSBundle;

// The manual: one picture that explains the calculator, under the title "Assistance", with a
// close button. The picture zooms inside its scroll view between the limits the nib
// "ManualViewController" gives the scroll view (two fingers on the phone, Ctrl and the wheel in
// the window). An image name without a picture leaves the page empty; nothing is reported.
//
// The presenter makes it with the nib name, sets imageName before the view loads and presents
// it as a page sheet:
//
//     auto manual = std::make_shared<ManualViewController>("ManualViewController", &NSBundle::mainBundle());
//     manual->setModalPresentationStyle(UIModalPresentationStyle::PageSheet);
//     manual->imageName = name;
//     presentViewController(manual, true);
class ManualViewController : public UIViewController, public UIScrollViewDelegate {
public:
    static constexpr const char* nibName = "ManualViewController";

    ManualViewController(std::optional<std::string> nibName, const NSBundle* bundle);
    explicit ManualViewController(const NSCoder& coder);

    // Outlets, connected by the nib.
    std::weak_ptr<UILabel> label;
    std::shared_ptr<UIImageView> imageView;
    std::weak_ptr<UIScrollView> scrollView;
    std::weak_ptr<UIButton> closeButton;
    // The picture's name in the application's images.
    std::string imageName;

    // UIViewController
    void viewDidLoad() override;

    // UIScrollViewDelegate
    std::shared_ptr<UIView> viewForZoomingInScrollView(const std::shared_ptr<UIScrollView>& scrollView) override;

    // Actions
    void closeButtonPressed(const std::shared_ptr<UIButton>& sender);
};
