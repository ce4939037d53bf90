#pragma once

#include <cairo.h>

#include "platform/uikit/CALayer.hpp"
#include "platform/uikit/UIView.hpp"

namespace render {

// Draws a view tree into a Cairo context whose user space is in points. For each view: its
// background (with corner radius), own content, free sublayers, subviews (moved by the bounds
// origin, cut to the bounds when it clips) and border, at its alpha, above the shadow of all of
// that (the shadow follows what is drawn, so a clear view casts its ink's shadow only). Hidden views and
// views outside the area being drawn are skipped, so a long table only costs its visible rows.
class ViewRenderer {
public:
    // Draws the view with its frame's top left at the context's origin.
    static void drawView(const UIView& view, cairo_t* cr);
    // Draws the view at its frame in the current coordinates (those of its superview's bounds).
    static void drawSubview(const UIView& view, cairo_t* cr);
    // A layer that backs no view (shape layers, borders added by hand), with its sublayers.
    static void drawFreeLayer(const CALayer& layer, cairo_t* cr);

private:
    // The view's own drawing, shadow aside, in its frame's coordinates.
    static void drawViewLayer(const UIView& view, cairo_t* cr, const CGRect& shape);
};

} // namespace render
