#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/UIViewController.hpp"

enum class UIAlertActionStyle : int { Default = 0, Cancel = 1, Destructive = 2 };
enum class UIAlertControllerStyle : int { ActionSheet = 0, Alert = 1 };

// A button of an alert.
class UIAlertAction : public std::enable_shared_from_this<UIAlertAction> {
public:
    using Handler = std::function<void(const std::shared_ptr<UIAlertAction>& action)>;

    UIAlertAction(std::optional<std::string> title, UIAlertActionStyle style, Handler handler)
        : title_(std::move(title)), style_(style), handler_(std::move(handler))
    {
    }
    static std::shared_ptr<UIAlertAction> actionWithTitle(std::optional<std::string> title, UIAlertActionStyle style, Handler handler)
    {
        return std::make_shared<UIAlertAction>(std::move(title), style, std::move(handler));
    }

    const std::optional<std::string>& title() const { return title_; }
    UIAlertActionStyle style() const { return style_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool hasHandler() const { return static_cast<bool>(handler_); }

private:
    friend class UIAlertController;
    std::optional<std::string> title_;
    UIAlertActionStyle style_;
    Handler handler_;
    bool enabled_ = true;
};

// A modal message with buttons. Presenting it leaves the presenter on screen (no disappear
// callbacks). Tapping an action dismisses the alert and, once the alert is gone, runs the
// action's handler with the action; an alert that is not presented runs the handler at once.
class UIAlertController : public UIViewController {
public:
    UIAlertController(std::optional<std::string> title, std::optional<std::string> message, UIAlertControllerStyle style);
    static std::shared_ptr<UIAlertController> alertControllerWithTitle(std::optional<std::string> title, std::optional<std::string> message,
                                                                       UIAlertControllerStyle style);

    const std::optional<std::string>& message() const { return message_; }
    void setMessage(std::optional<std::string> message) { message_ = std::move(message); }
    UIAlertControllerStyle preferredStyle() const { return style_; }

    void addAction(const std::shared_ptr<UIAlertAction>& action);
    const std::vector<std::shared_ptr<UIAlertAction>>& actions() const { return actions_; }
    std::shared_ptr<UIAlertAction> preferredAction() const { return preferredAction_; }
    void setPreferredAction(const std::shared_ptr<UIAlertAction>& action) { preferredAction_ = action; }

    // The user taps the first action with this title; false when there is none or it is disabled.
    bool userDidTapActionWithTitle(const std::string& title);
    bool userDidTapAction(const std::shared_ptr<UIAlertAction>& action);

private:
    std::optional<std::string> message_;
    UIAlertControllerStyle style_;
    std::vector<std::shared_ptr<UIAlertAction>> actions_;
    std::shared_ptr<UIAlertAction> preferredAction_;
    bool handling_ = false;
};
