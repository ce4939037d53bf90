#pragma once

#include <cairo.h>

#include "platform/render/DialogLayout.hpp"
#include "platform/uikit/UIView.hpp"

namespace render {

// Draws an alert's or the share sheet's dimmed backdrop and panel over the presented view's
// bounds (which cover the window).
void paintDialog(cairo_t* cr, const DialogLayout& layout, const CGRect& backdrop);

} // namespace render
