#pragma once

#include <memory>
#include <string>
#include <vector>

class UIWindow;

// A scene of the application's interface.
class UIScene : public std::enable_shared_from_this<UIScene> {
public:
    virtual ~UIScene() = default;
};

// A scene that shows windows. It does not own them (their creators do); it lists the living
// ones in the order they were made.
class UIWindowScene : public UIScene {
public:
    std::vector<std::shared_ptr<UIWindow>> windows() const;

private:
    friend class UIWindow;
    void attach(UIWindow* window);
    void detach(UIWindow* window);

    std::vector<UIWindow*> windows_;
};
