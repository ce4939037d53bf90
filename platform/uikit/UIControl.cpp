#include "platform/uikit/UIControl.hpp"

void UIControl::addAction(Action action, UIControlEvents events)
{
    if (action && events != 0) {
        actions_.push_back({std::move(action), events});
    }
}

size_t UIControl::numberOfActionsForControlEvents(UIControlEvents events) const
{
    size_t count = 0;
    for (const auto& r : actions_) {
        if (r.events & events) {
            ++count;
        }
    }
    return count;
}

void UIControl::sendActionsForControlEvents(UIControlEvents events)
{
    auto self = as<UIControl>();
    // Copy: an action may add or remove actions.
    auto registrations = actions_;
    for (const auto& r : registrations) {
        if (r.events & events) {
            r.action(self);
        }
    }
}

void UIControl::tap()
{
    if (!enabled_ || isHidden() || !isUserInteractionEnabled()) {
        return;
    }
    auto keep = as<UIControl>();
    setHighlighted(true);
    sendActionsForControlEvents(UIControlEventTouchDown);
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchUpInside | UIControlEventPrimaryActionTriggered);
}

UIControlState UIControl::state() const
{
    UIControlState s = UIControlStateNormal;
    if (highlighted_) s |= UIControlStateHighlighted;
    if (!enabled_) s |= UIControlStateDisabled;
    if (selected_) s |= UIControlStateSelected;
    return s;
}
