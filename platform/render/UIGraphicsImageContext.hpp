#pragma once

#include <memory>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UIImage.hpp"

// Image contexts: a bitmap pushed as the current graphics context. A scale of 0 takes the main
// screen's. A size without area (or too large for a bitmap) opens a context that has no bitmap:
// drawing goes nowhere and its image is none, but begin and end still pair up. Opaque contexts
// are made transparent too; opaqueness is only a promise about what will be drawn.
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
void UIGraphicsBeginImageContext(CGSize size);
// The top image context's pixels so far; none outside an image context or for one without bitmap.
std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext();
// Closes the top image context; nothing when none is open.
void UIGraphicsEndImageContext();
