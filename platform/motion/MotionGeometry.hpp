#pragma once

#include "platform/uikit/CGGeometry.hpp"

namespace Motion {

// The centre of a rectangle.
inline CGPoint center(const CGRect& rect)
{
    return {rect.midX(), rect.midY()};
}

} // namespace Motion
