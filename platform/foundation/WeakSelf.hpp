#pragma once

#include <memory>
#include <type_traits>
#include <utility>

// "Call this on me if I still exist": the one shape of every callback that may outlive the
// object it calls back into (alert actions, observers, asyncAfter, timers, tasks, transitions).
// The callback keeps the object weakly, so queued work never keeps a closed screen alive and
// never touches a destroyed one:
//
//     DispatchQueue::main().asyncAfter(3.0, weakly(this, [](const std::shared_ptr<Toast>& self) {
//         self->fadeOut();
//     }));
//     button->addAction(weakly(this, [](const std::shared_ptr<Screen>& self, const auto& sender) {
//         self->tapped(sender);
//     }), UIControlEventTouchUpInside);
//
// The returned callable takes any arguments and passes them on after the object; it does
// nothing when the object is gone. It holds the object strongly only while the body runs. The
// object must be owned by a std::shared_ptr (it derives from std::enable_shared_from_this,
// directly or through a base such as UIResponder); weakly(this, ...) from a constructor, before
// that shared_ptr exists, makes a callable that never runs. Bodies return nothing: a callback
// whose object is gone has no answer to give.
template <class T, class Body>
auto weakly(T* object, Body body) {
    // weak_from_this() answers with the base that enabled it; it points at the same object.
    auto weakBase = object ? object->weak_from_this() : decltype(object->weak_from_this()){};
    return [weakBase = std::move(weakBase), body = std::move(body)](auto&&... args) mutable {
        auto base = weakBase.lock();
        if (!base) {
            return;
        }
        auto self = std::static_pointer_cast<T>(base);
        static_assert(std::is_void_v<decltype(body(self, std::forward<decltype(args)>(args)...))>,
                      "a weakly held callback returns nothing");
        body(self, std::forward<decltype(args)>(args)...);
    };
}

// The same for an object already held by a std::shared_ptr (or std::weak_ptr) of its class.
template <class T, class Body>
auto weakly(const std::weak_ptr<T>& object, Body body) {
    return [object, body = std::move(body)](auto&&... args) mutable {
        if (auto self = object.lock()) {
            static_assert(std::is_void_v<decltype(body(self, std::forward<decltype(args)>(args)...))>,
                          "a weakly held callback returns nothing");
            body(self, std::forward<decltype(args)>(args)...);
        }
    };
}

template <class T, class Body>
auto weakly(const std::shared_ptr<T>& object, Body body) {
    return weakly(std::weak_ptr<T>(object), std::move(body));
}
