#pragma once

#include <memory>

#include "platform/uikit/UIImage.hpp"

namespace Material {

// The framework's icons: template images of 24 × 24 points, named "ic_<icon>_white" so tests
// can tell them apart.
struct Icon {
    static std::shared_ptr<UIImage> arrowBack();
    static std::shared_ptr<UIImage> check();
    static std::shared_ptr<UIImage> menu();
    static std::shared_ptr<UIImage> share();
    static std::shared_ptr<UIImage> edit();
    static std::shared_ptr<UIImage> clear();
};

} // namespace Material
