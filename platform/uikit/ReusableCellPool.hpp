#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/uikit/ClassName.hpp"
#include "platform/uikit/UINib.hpp"

namespace uikit::detail {
void reportMissingNib(const std::string& viewClass, const std::string& identifier);
[[noreturn]] void invalidCellNib(const std::string& identifier, const std::string& cellClass);
[[noreturn]] void wrongCellClass(const std::string& viewClass, const std::string& identifier, const std::string& expected,
                                 const std::string& actual);

// A dequeued cell as the class its caller expects: another class is a programming error in the
// registration, stopped with a clear message, never covered by a fresh cell.
template <class Cell, class Base>
std::shared_ptr<Cell> cellOfClass(const std::shared_ptr<Base>& cell, const std::string& viewClass, const std::string& identifier)
{
    auto typed = std::dynamic_pointer_cast<Cell>(cell);
    if (!typed) {
        const Base& made = *cell;
        wrongCellClass(viewClass, identifier, NSStringFromClass<Cell>(), classNameOf(made));
    }
    return typed;
}
} // namespace uikit::detail

// The cells a list view has made but does not show, kept per reuse identifier, and the ways it
// may make new ones for an identifier. Tables and collections share it so that dequeuing means
// the same in both: a kept cell first (prepared for reuse), a new one only when none is kept.
template <class Cell>
class ReusableCellPool {
public:
    using Factory = std::function<std::shared_ptr<Cell>()>;

    // The names only appear in messages, so that they point at the view the app talks to.
    ReusableCellPool(std::string viewClass, std::string cellClass) : viewClass_(std::move(viewClass)), cellClass_(std::move(cellClass)) {}

    // Storyboard prototypes pass awakensFromNib: their cells are decoded, not constructed.
    void registerFactory(const std::string& identifier, Factory factory, bool awakensFromNib = false)
    {
        registrations_[identifier] = {std::move(factory), awakensFromNib};
    }

    void registerNib(const std::shared_ptr<UINib>& nib, const std::string& identifier)
    {
        if (!nib) {
            uikit::detail::reportMissingNib(viewClass_, identifier);
            return;
        }
        registerFactory(identifier, [nib, identifier, cellClass = cellClass_] {
            auto objects = nib->instantiateWithOwner(nullptr);
            auto cell = objects.empty() ? nullptr : std::dynamic_pointer_cast<Cell>(objects.front());
            if (objects.size() != 1 || !cell) {
                uikit::detail::invalidCellNib(identifier, cellClass);
            }
            return cell;
        });
    }

    bool canMake(const std::string& identifier) const
    {
        auto registration = registrations_.find(identifier);
        return registration != registrations_.end() && registration->second.factory;
    }

    // None when nothing is kept and the identifier has no registration or its factory fails:
    // whether that is fatal differs between the views.
    std::shared_ptr<Cell> dequeue(const std::string& identifier)
    {
        if (auto kept = kept_.find(identifier); kept != kept_.end() && !kept->second.empty()) {
            auto cell = std::move(kept->second.back());
            kept->second.pop_back();
            cell->prepareForReuse();
            return cell;
        }
        if (!canMake(identifier)) {
            return nullptr;
        }
        const Registration& registration = registrations_.at(identifier);
        auto cell = registration.factory();
        if (!cell) {
            return nullptr;
        }
        cell->setReuseIdentifier(identifier);
        if (registration.awakensFromNib) {
            awakeFromNibRecursively(cell);
        }
        return cell;
    }

    // A cell without a reuse identifier cannot be asked for again, so it is let go.
    void enqueue(const std::shared_ptr<Cell>& cell)
    {
        if (cell->reuseIdentifier()) {
            kept_[*cell->reuseIdentifier()].push_back(cell);
        }
    }

    size_t size() const
    {
        size_t n = 0;
        for (const auto& [identifier, cells] : kept_) {
            n += cells.size();
        }
        return n;
    }

private:
    struct Registration {
        Factory factory;
        bool awakensFromNib = false;
    };

    std::string viewClass_;
    std::string cellClass_;
    std::map<std::string, Registration> registrations_;
    std::map<std::string, std::vector<std::shared_ptr<Cell>>> kept_;
};
