#include "platform/uikit/UINib.hpp"

#include <iostream>
#include <map>
#include <mutex>

#include "platform/uikit/UIView.hpp"

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, UINib::Builder> builders;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

void UINib::registerNib(const std::string& name, Builder builder)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.builders[name] = std::move(builder);
}

bool UINib::isRegistered(const std::string& name)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    return r.builders.count(name) != 0;
}

void UINib::removeAllRegistrations()
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.builders.clear();
}

std::shared_ptr<UINib> UINib::nibWithNibName(const std::string& name, const NSBundle* /*bundle*/)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.builders.find(name);
    if (it == r.builders.end() || !it->second) {
        std::cerr << "UINib: no interface file named \"" << name << "\"\n";
        return nullptr;
    }
    return std::make_shared<UINib>(name, it->second);
}

std::vector<std::shared_ptr<UIView>> UINib::instantiateWithOwner(const std::shared_ptr<UIResponder>& owner) const
{
    auto views = builder_(owner);
    for (const auto& view : views) {
        if (view) {
            awakeFromNibRecursively(view);
        }
    }
    return views;
}

void awakeFromNibRecursively(const std::shared_ptr<UIView>& view)
{
    auto children = view->subviews();
    for (const auto& child : children) {
        awakeFromNibRecursively(child);
    }
    view->awakeFromNib();
}
