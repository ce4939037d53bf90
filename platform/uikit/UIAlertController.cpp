#include "platform/uikit/UIAlertController.hpp"

#include <algorithm>
#include <iostream>

UIAlertController::UIAlertController(std::optional<std::string> title, std::optional<std::string> message, UIAlertControllerStyle style)
    : message_(std::move(message)), style_(style)
{
    setTitle(std::move(title));
    UIViewController::setModalPresentationStyle(UIModalPresentationStyle::Custom);
}

std::shared_ptr<UIAlertController> UIAlertController::alertControllerWithTitle(std::optional<std::string> title,
                                                                               std::optional<std::string> message, UIAlertControllerStyle style)
{
    return std::make_shared<UIAlertController>(std::move(title), std::move(message), style);
}

void UIAlertController::addAction(const std::shared_ptr<UIAlertAction>& action)
{
    if (!action) {
        return;
    }
    if (action->style() == UIAlertActionStyle::Cancel &&
        std::any_of(actions_.begin(), actions_.end(), [](const auto& a) { return a->style() == UIAlertActionStyle::Cancel; })) {
        // The platform raises here: an alert can have only one cancel action.
        std::cerr << "UIAlertController: an alert can have only one cancel action; ignoring \"" << action->title().value_or("") << "\"\n";
        return;
    }
    actions_.push_back(action);
}

bool UIAlertController::userDidTapActionWithTitle(const std::string& title)
{
    for (const auto& action : actions_) {
        if (action->title() == title) {
            return userDidTapAction(action);
        }
    }
    return false;
}

bool UIAlertController::userDidTapAction(const std::shared_ptr<UIAlertAction>& action)
{
    if (!action || !action->isEnabled() || handling_ || std::find(actions_.begin(), actions_.end(), action) == actions_.end()) {
        return false;
    }
    handling_ = true;
    auto runHandler = [action] {
        if (action->handler_) {
            action->handler_(action);
        }
    };
    if (!presentingViewController()) {
        runHandler();
        handling_ = false;
        return true;
    }
    if (isBeingPresented() || isBeingDismissed()) {
        // Not on screen yet, or already leaving: there is nothing to tap.
        handling_ = false;
        return false;
    }
    auto self = std::static_pointer_cast<UIAlertController>(shared_from_this());
    dismissViewControllerAnimated(true, [self, runHandler] {
        self->handling_ = false;
        runHandler();
    });
    return true;
}
