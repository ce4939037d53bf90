#pragma once

#include <map>
#include <memory>
#include <set>

class UITouch;
using UITouchSet = std::set<std::shared_ptr<UITouch>>;

// Base of everything that takes part in event handling: views, view controllers, the
// application and its delegate. Instances are always owned by std::shared_ptr. A callback that
// may outlive its responder (an alert action, an observer, delayed or timed work, a transition)
// holds it through weakly(this, ...) from platform/foundation/WeakSelf.hpp, never as a raw this.
class UIResponder : public std::enable_shared_from_this<UIResponder> {
public:
    UIResponder() = default;
    virtual ~UIResponder() = default;
    UIResponder(const UIResponder&) = delete;
    UIResponder& operator=(const UIResponder&) = delete;

    virtual std::shared_ptr<UIResponder> nextResponder() const { return nullptr; }

    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    // Becoming first responder first asks the current one to resign; it fails when the current
    // one refuses or this responder cannot become first responder.
    virtual bool becomeFirstResponder();
    virtual bool resignFirstResponder();
    bool isFirstResponder() const;

    static std::shared_ptr<UIResponder> currentFirstResponder();

    // A finger's touches, from the window to the view the finger came down on when that view
    // follows touches itself (UIView::tracksTouches). What a responder leaves unhandled goes on
    // to its next responder, as these defaults do.
    virtual void touchesBegan(const UITouchSet& touches);
    virtual void touchesMoved(const UITouchSet& touches);
    virtual void touchesEnded(const UITouchSet& touches);
    virtual void touchesCancelled(const UITouchSet& touches);

    // This object as the given subclass, or null when it is not one.
    template <class T>
    std::shared_ptr<T> as()
    {
        return std::dynamic_pointer_cast<T>(shared_from_this());
    }
    template <class T>
    std::shared_ptr<const T> as() const
    {
        return std::dynamic_pointer_cast<const T>(shared_from_this());
    }

    // Values that other frameworks attach to an object they do not own (a tab's item on its
    // view controller, for instance), kept and released with the object. Key by the address
    // of a static variable.
    std::shared_ptr<void> associatedObject(const void* key) const
    {
        auto it = associated_.find(key);
        return it == associated_.end() ? nullptr : it->second;
    }
    void setAssociatedObject(const void* key, std::shared_ptr<void> value)
    {
        if (value) {
            associated_[key] = std::move(value);
        } else {
            associated_.erase(key);
        }
    }

protected:
    // Called after this responder gained or lost first-responder status.
    virtual void didChangeFirstResponderStatus(bool /*isFirst*/) {}

private:
    std::map<const void*, std::shared_ptr<void>> associated_;
};
