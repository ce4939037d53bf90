#pragma once

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/UIViewController.hpp"

// The share sheet. It offers its items to the system's share targets; the application adds no
// activities of its own. On a pad it presents as a popover, elsewhere as a sheet.
class UIActivityViewController : public UIViewController {
public:
    using CompletionHandler = std::function<void(const std::optional<std::string>& activityType, bool completed)>;

    UIActivityViewController(std::vector<std::any> activityItems, std::vector<std::any> applicationActivities);

    const std::vector<std::any>& activityItems() const { return activityItems_; }
    const std::vector<std::any>& applicationActivities() const { return applicationActivities_; }

    // The items of one type, in order (for instance the images).
    template <class T>
    std::vector<T> activityItemsOfType() const
    {
        std::vector<T> out;
        for (const auto& item : activityItems_) {
            if (const T* value = std::any_cast<T>(&item)) {
                out.push_back(*value);
            }
        }
        return out;
    }

    const CompletionHandler& completionWithItemsHandler() const { return completion_; }
    void setCompletionWithItemsHandler(CompletionHandler handler) { completion_ = std::move(handler); }

    // A tap outside the popover on a pad cancels the sheet: no activity, nothing completed.
    void presentationWasDismissedFromOutside() override
    {
        if (completion_) {
            completion_(std::nullopt, false);
        }
    }

private:
    std::vector<std::any> activityItems_;
    std::vector<std::any> applicationActivities_;
    CompletionHandler completion_;
};
