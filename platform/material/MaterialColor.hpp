#pragma once

#include "platform/uikit/UIColor.hpp"

namespace Material {

// The Material palette, as far as the application uses it.
struct Color {
    struct blueGrey {
        static UIColor base();
        static UIColor lighten5();
    };
    static UIColor white() { return UIColor::whiteColor(); }
    static UIColor clear() { return UIColor::clearColor(); }
};

} // namespace Material
