#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/onboardkit/OnboardPage.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace OnboardKit {

// A full-screen introduction: the pages in order, one at a time.
//
// Each page shows its image (left empty when the asset does not exist), title and description,
// and an advance button styled by the appearance's advanceButtonStyling when the page is shown.
// The advance button goes to the next page; on the last page it finishes: the controller is
// dismissed (together with anything it presents), then the completion runs, once. A page
// covered by a presented controller (an alert) does not take taps.
class OnboardViewController : public UIViewController {
public:
    using ButtonStyling = std::function<void(const std::shared_ptr<UIButton>&)>;

    struct AppearanceConfiguration {
        UIColor tintColor = UIColor::systemBlueColor();
        UIColor titleColor = UIColor::labelColor();
        UIColor textColor = UIColor::labelColor();
        UIColor backgroundColor = UIColor::systemBackgroundColor();
        UIViewContentMode imageContentMode = UIViewContentMode::Center;
        UIFont titleFont = UIFont::boldSystemFontOfSize(32);
        UIFont textFont = UIFont::systemFontOfSize(17);
        ButtonStyling advanceButtonStyling;
        ButtonStyling actionButtonStyling;
    };

    OnboardViewController(std::vector<OnboardPage> pageItems, AppearanceConfiguration appearanceConfiguration,
                          std::function<void()> completion);

    const std::vector<OnboardPage>& pageItems() const { return pageItems_; }
    const AppearanceConfiguration& appearanceConfiguration() const { return appearance_; }
    size_t currentPageIndex() const { return current_; }
    bool isFinished() const { return finished_; }

    // Presents itself modally from the controller.
    void presentFrom(const std::shared_ptr<UIViewController>& controller, bool animated);

    std::shared_ptr<UIButton> advanceButton() const { return advanceButton_; }
    std::shared_ptr<UIButton> actionButton() const { return actionButton_; }
    std::shared_ptr<UIImageView> imageView() const { return imageView_; }
    std::shared_ptr<UILabel> titleLabel() const { return titleLabel_; }
    std::shared_ptr<UILabel> descriptionLabel() const { return descriptionLabel_; }

    // What the advance button does; false when the page is covered or the introduction is over.
    bool advance();

    void loadView() override;
    void viewDidLoad() override;

private:
    void showPage(size_t index);
    void finish();

    std::vector<OnboardPage> pageItems_;
    AppearanceConfiguration appearance_;
    std::function<void()> completion_;
    size_t current_ = 0;
    bool finished_ = false;
    std::shared_ptr<UIImageView> imageView_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UILabel> descriptionLabel_;
    std::shared_ptr<UIButton> advanceButton_;
    std::shared_ptr<UIButton> actionButton_;
};

} // namespace OnboardKit
