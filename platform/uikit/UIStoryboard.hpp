#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/uikit/ClassName.hpp"
#include "platform/uikit/NSCoder.hpp"
#include "platform/uikit/UIViewController.hpp"

class NSBundle;

// A storyboard built in code: scenes registered by storyboard name and identifier. A scene's
// factory makes the controller through its coder constructor and gives it a view builder
// (which makes the views and connects the outlets when the view loads); instantiating then
// calls awakeFromNib on the controller. Asking for a storyboard or a scene that does not exist
// is a fatal error, as on the platform.
class UIStoryboard {
public:
    using SceneFactory = std::function<std::shared_ptr<UIViewController>(const NSCoder& coder)>;

    static void registerScene(const std::string& storyboardName, const std::string& identifier, SceneFactory factory);
    static void removeAllRegistrations();

    static std::shared_ptr<UIStoryboard> storyboardWithName(const std::string& name, const NSBundle* bundle);

    explicit UIStoryboard(std::string name) : name_(std::move(name)) {}
    const std::string& name() const { return name_; }

    std::shared_ptr<UIViewController> instantiateViewControllerWithIdentifier(const std::string& identifier) const;

    // The scene as the class the caller expects; a scene of another class is a fatal error.
    template <class T>
    std::shared_ptr<T> instantiateViewControllerWithIdentifier(const std::string& identifier) const
    {
        auto controller = instantiateViewControllerWithIdentifier(identifier);
        auto typed = std::dynamic_pointer_cast<T>(controller);
        if (!typed) {
            const UIViewController& made = *controller;
            failWrongClass(identifier, NSStringFromClass(typeid(T)), NSStringFromClass(typeid(made)));
        }
        return typed;
    }

private:
    [[noreturn]] void failWrongClass(const std::string& identifier, const std::string& expected, const std::string& actual) const;

    std::string name_;
};
