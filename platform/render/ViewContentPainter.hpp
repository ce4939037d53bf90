#pragma once

#include <cairo.h>

#include "platform/uikit/UIView.hpp"

namespace render {

// The own content of the platform's view classes, drawn in the view's bounds coordinates:
// label text, images and icons, text fields, spinners, table-cell selection and separators,
// and the dialogs of presented alerts and share sheets. Other views (the math label among
// them) draw through their drawRect with the current graphics context set.
class ViewContentPainter {
public:
    // Before the subviews.
    static void paint(const UIView& view, cairo_t* cr);
    // After the subviews (separators, dialogs, and text fields, above their background layers).
    static void paintOverlay(const UIView& view, cairo_t* cr);
};

} // namespace render
