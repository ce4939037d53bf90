#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class NSBundle;
class UIResponder;
class UIView;

// An interface file built in code. Its builder makes the top-level views with their subviews
// and connects outlets and actions to the owner (and among the views); instantiating then calls
// awakeFromNib on every view it made, subviews before their superview.
class UINib {
public:
    using Builder = std::function<std::vector<std::shared_ptr<UIView>>(const std::shared_ptr<UIResponder>& owner)>;

    // Registers (or replaces) the nib of that name.
    static void registerNib(const std::string& name, Builder builder);
    static bool isRegistered(const std::string& name);
    // Forgets every registration (for tests).
    static void removeAllRegistrations();

    // The named nib; null, with a logged error, when there is none. The bundle is accepted for
    // the platform's signature: nibs are looked up by name only.
    static std::shared_ptr<UINib> nibWithNibName(const std::string& name, const NSBundle* bundle);

    explicit UINib(std::string name, Builder builder) : name_(std::move(name)), builder_(std::move(builder)) {}

    const std::string& name() const { return name_; }
    std::vector<std::shared_ptr<UIView>> instantiateWithOwner(const std::shared_ptr<UIResponder>& owner) const;

private:
    std::string name_;
    Builder builder_;
};

// Calls awakeFromNib on a view made by an interface file and on its subviews, deepest first.
void awakeFromNibRecursively(const std::shared_ptr<UIView>& view);
