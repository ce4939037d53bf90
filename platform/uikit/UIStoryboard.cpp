#include "platform/uikit/UIStoryboard.hpp"

#include <map>
#include <mutex>

#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::map<std::string, UIStoryboard::SceneFactory>> storyboards;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

void UIStoryboard::registerScene(const std::string& storyboardName, const std::string& identifier, SceneFactory factory)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.storyboards[storyboardName][identifier] = std::move(factory);
}

void UIStoryboard::removeAllRegistrations()
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.storyboards.clear();
}

std::shared_ptr<UIStoryboard> UIStoryboard::storyboardWithName(const std::string& name, const NSBundle* /*bundle*/)
{
    auto& r = registry();
    {
        std::lock_guard lock(r.mutex);
        if (!r.storyboards.count(name)) {
            uikit::fatalError("Could not find a storyboard named '" + name + "'");
        }
    }
    return std::make_shared<UIStoryboard>(name);
}

std::shared_ptr<UIViewController> UIStoryboard::instantiateViewControllerWithIdentifier(const std::string& identifier) const
{
    SceneFactory factory;
    {
        auto& r = registry();
        std::lock_guard lock(r.mutex);
        auto& scenes = r.storyboards[name_];
        auto it = scenes.find(identifier);
        if (it != scenes.end()) {
            factory = it->second;
        }
    }
    if (!factory) {
        uikit::fatalError("Storyboard '" + name_ + "' doesn't contain a view controller with identifier '" + identifier + "'");
    }
    auto controller = factory(NSCoder(name_, identifier));
    if (!controller) {
        uikit::fatalError("Storyboard '" + name_ + "' could not make the view controller with identifier '" + identifier + "'");
    }
    controller->awakeFromNib();
    return controller;
}

void UIStoryboard::failWrongClass(const std::string& identifier, const std::string& expected, const std::string& actual) const
{
    uikit::fatalError("Storyboard '" + name_ + "': the scene '" + identifier + "' is a " + actual + ", not a " + expected);
}
