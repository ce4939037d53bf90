#include "platform/uikit/UIResponder.hpp"

namespace {
// The UI runs on the main thread only, so no lock is needed.
std::weak_ptr<UIResponder>& firstResponderSlot()
{
    static std::weak_ptr<UIResponder> slot;
    return slot;
}
} // namespace

std::shared_ptr<UIResponder> UIResponder::currentFirstResponder()
{
    return firstResponderSlot().lock();
}

bool UIResponder::isFirstResponder() const
{
    auto current = firstResponderSlot().lock();
    return current && current.get() == this;
}

bool UIResponder::becomeFirstResponder()
{
    if (isFirstResponder()) {
        return true;
    }
    if (!canBecomeFirstResponder()) {
        return false;
    }
    if (auto current = firstResponderSlot().lock()) {
        if (!current->resignFirstResponder()) {
            return false;
        }
    }
    firstResponderSlot() = weak_from_this();
    didChangeFirstResponderStatus(true);
    return true;
}

bool UIResponder::resignFirstResponder()
{
    if (!isFirstResponder()) {
        return true;
    }
    if (!canResignFirstResponder()) {
        return false;
    }
    firstResponderSlot().reset();
    didChangeFirstResponderStatus(false);
    return true;
}

void UIResponder::touchesBegan(const UITouchSet& touches)
{
    if (auto next = nextResponder()) {
        next->touchesBegan(touches);
    }
}

void UIResponder::touchesMoved(const UITouchSet& touches)
{
    if (auto next = nextResponder()) {
        next->touchesMoved(touches);
    }
}

void UIResponder::touchesEnded(const UITouchSet& touches)
{
    if (auto next = nextResponder()) {
        next->touchesEnded(touches);
    }
}

void UIResponder::touchesCancelled(const UITouchSet& touches)
{
    if (auto next = nextResponder()) {
        next->touchesCancelled(touches);
    }
}
