#include "platform/onboardkit/OnboardViewController.hpp"

#include "platform/foundation/WeakSelf.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace OnboardKit {

OnboardViewController::OnboardViewController(std::vector<OnboardPage> pageItems, AppearanceConfiguration appearanceConfiguration,
                                             std::function<void()> completion)
    : pageItems_(std::move(pageItems)), appearance_(std::move(appearanceConfiguration)), completion_(std::move(completion))
{
}

void OnboardViewController::presentFrom(const std::shared_ptr<UIViewController>& controller, bool animated)
{
    if (controller) {
        controller->presentViewController(std::static_pointer_cast<UIViewController>(shared_from_this()), animated);
    }
}

void OnboardViewController::loadView()
{
    CGRect b = UIScreen::mainScreen().bounds();
    auto root = std::make_shared<UIView>(b);
    imageView_ = std::make_shared<UIImageView>(CGRect{0, b.size.height * 0.1, b.size.width, b.size.height * 0.45});
    titleLabel_ = std::make_shared<UILabel>(CGRect{20, b.size.height * 0.58, b.size.width - 40, 40});
    descriptionLabel_ = std::make_shared<UILabel>(CGRect{20, b.size.height * 0.65, b.size.width - 40, 120});
    descriptionLabel_->setNumberOfLines(0);
    advanceButton_ = UIButton::buttonWithType(UIButtonType::System);
    advanceButton_->setFrame({20, b.size.height - 110, b.size.width - 40, 44});
    actionButton_ = UIButton::buttonWithType(UIButtonType::System);
    actionButton_->setFrame({20, b.size.height - 170, b.size.width - 40, 44});
    for (const auto& v : std::initializer_list<std::shared_ptr<UIView>>{imageView_, titleLabel_, descriptionLabel_, actionButton_, advanceButton_}) {
        root->addSubview(v);
    }
    setView(root);
}

void OnboardViewController::viewDidLoad()
{
    view()->setBackgroundColor(appearance_.backgroundColor);
    view()->setTintColor(appearance_.tintColor);
    imageView_->setContentMode(appearance_.imageContentMode);
    titleLabel_->setFont(appearance_.titleFont);
    titleLabel_->setTextColor(appearance_.titleColor);
    descriptionLabel_->setFont(appearance_.textFont);
    descriptionLabel_->setTextColor(appearance_.textColor);
    advanceButton_->addAction(
        weakly(this, [](const std::shared_ptr<OnboardViewController>& self, const std::shared_ptr<UIControl>&) { self->advance(); }),
        UIControlEventTouchUpInside);
    showPage(0);
}

void OnboardViewController::showPage(size_t index)
{
    current_ = index;
    if (index >= pageItems_.size()) {
        return;
    }
    const OnboardPage& page = pageItems_[index];
    imageView_->setImage(UIImage::imageNamed(page.imageName));
    titleLabel_->setText(page.title);
    descriptionLabel_->setText(page.description);
    advanceButton_->setTitle(page.advanceButtonTitle, UIControlStateNormal);
    actionButton_->setTitle(page.actionButtonTitle, UIControlStateNormal);
    actionButton_->setHidden(!page.actionButtonTitle);
    if (appearance_.advanceButtonStyling) {
        appearance_.advanceButtonStyling(advanceButton_);
    }
    if (page.actionButtonTitle && appearance_.actionButtonStyling) {
        appearance_.actionButtonStyling(actionButton_);
    }
}

bool OnboardViewController::advance()
{
    if (finished_ || presentedViewController()) {
        return false;
    }
    if (current_ + 1 < pageItems_.size()) {
        showPage(current_ + 1);
        return true;
    }
    finish();
    return true;
}

void OnboardViewController::finish()
{
    finished_ = true;
    auto completion = std::move(completion_);
    completion_ = nullptr;
    auto runCompletion = [completion] {
        if (completion) {
            completion();
        }
    };
    if (auto presenter = presentingViewController()) {
        presenter->dismissViewControllerAnimated(true, runCompletion);
    } else {
        runCompletion();
    }
}

} // namespace OnboardKit
