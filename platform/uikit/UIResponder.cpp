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
