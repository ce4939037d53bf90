#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/foundation/WeakSelf.hpp"
#include "platform/uikit/UIView.hpp"

using UIControlEvents = unsigned long;
inline constexpr UIControlEvents UIControlEventTouchDown = 1ul << 0;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1ul << 6;
inline constexpr UIControlEvents UIControlEventValueChanged = 1ul << 12;
inline constexpr UIControlEvents UIControlEventPrimaryActionTriggered = 1ul << 13;
inline constexpr UIControlEvents UIControlEventEditingDidBegin = 1ul << 16;
inline constexpr UIControlEvents UIControlEventEditingChanged = 1ul << 17;
inline constexpr UIControlEvents UIControlEventEditingDidEnd = 1ul << 18;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFFul;

using UIControlState = unsigned long;
inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1ul << 0;
inline constexpr UIControlState UIControlStateDisabled = 1ul << 1;
inline constexpr UIControlState UIControlStateSelected = 1ul << 2;

namespace uikit::detail {
template <class M>
struct ActionTraits;
template <class C, class R>
struct ActionTraits<R (C::*)()> {
    using Owner = C;
    using Sender = void;
};
template <class C, class R, class A>
struct ActionTraits<R (C::*)(A)> {
    using Owner = C;
    using Sender = typename std::decay_t<A>::element_type;
};
} // namespace uikit::detail

// A view that sends actions to targets when events happen to it. Targets are referenced, not
// owned: an action whose target is gone is skipped. Actions run in the order they were added.
class UIControl : public UIView {
public:
    using Action = std::function<void(const std::shared_ptr<UIControl>& sender)>;

    using UIView::UIView;

    // Target-action with a member function taking the sender (as std::shared_ptr of any class
    // the sender is, or null when it is not one) or taking nothing.
    template <class T, class M>
    void addTarget(const std::shared_ptr<T>& target, M action, UIControlEvents events)
    {
        using Traits = uikit::detail::ActionTraits<M>;
        addAction(
            weakly(target, [action](const std::shared_ptr<T>& strongTarget, const std::shared_ptr<UIControl>& sender) {
                auto* owner = static_cast<typename Traits::Owner*>(strongTarget.get());
                if constexpr (std::is_void_v<typename Traits::Sender>) {
                    (owner->*action)();
                } else {
                    (owner->*action)(std::dynamic_pointer_cast<typename Traits::Sender>(sender));
                }
            }),
            events);
    }

    void addAction(Action action, UIControlEvents events);
    void removeAllActions() { actions_.clear(); }
    size_t numberOfActionsForControlEvents(UIControlEvents events) const;

    void sendActionsForControlEvents(UIControlEvents events);

    // A finger lifted inside the control: touch-down then touch-up-inside, when the control is
    // enabled, visible and takes touches.
    virtual void tap();

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected) { selected_ = selected; }
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    UIControlState state() const;

private:
    struct Registration {
        Action action;
        UIControlEvents events;
    };
    std::vector<Registration> actions_;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
};
