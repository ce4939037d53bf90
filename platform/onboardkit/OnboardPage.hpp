#pragma once

#include <functional>
#include <optional>
#include <string>

namespace OnboardKit {

// One page of an introduction: texts, a picture by asset name, an advance button and an
// optional action button.
struct OnboardPage {
    using ActionCompletion = std::function<void(bool success, const std::optional<std::string>& error)>;
    using Action = std::function<void(const ActionCompletion&)>;

    std::string title;
    std::string imageName;
    std::string videoName;
    std::string description;
    std::string advanceButtonTitle;
    std::optional<std::string> actionButtonTitle;
    Action action;
};

} // namespace OnboardKit
