#include "platform/render/ViewRenderer.hpp"

#include <algorithm>

#include "platform/render/CairoHandles.hpp"
#include "platform/render/ShapePaths.hpp"
#include "platform/render/TextDrawing.hpp"
#include "platform/render/ViewContentPainter.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"

namespace render {
namespace {

void setColor(cairo_t* cr, const CGColor& c, double alpha = 1)
{
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha * alpha);
}

bool isOutsideClip(cairo_t* cr, const CGRect& frame, double margin)
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    return frame.maxX() + margin < x1 || frame.minX() - margin > x2 || frame.maxY() + margin < y1 || frame.minY() - margin > y2;
}

// A soft shadow of the rounded shape: rings of falling opacity stand in for a Gaussian blur.
void drawShadow(cairo_t* cr, const CALayer& layer, const CGRect& shape)
{
    const auto& colour = layer.shadowColor();
    if (!colour || layer.shadowOpacity() <= 0) {
        return;
    }
    CGSize offset = layer.shadowOffset();
    CGRect shifted = shape.offsetBy(offset.width, offset.height);
    double blur = std::max(0.0, layer.shadowRadius());
    int steps = std::clamp(static_cast<int>(blur), 1, 8);
    double opacity = std::clamp<double>(layer.shadowOpacity(), 0, 1);
    for (int i = steps; i >= 1; --i) {
        double spread = blur * i / steps;
        addRoundedRect(cr, shifted.insetBy(-spread / 2, -spread / 2), layer.cornerRadius() + spread / 2);
        setColor(cr, *colour, opacity / (steps + 1));
        cairo_fill(cr);
    }
    addRoundedRect(cr, shifted, layer.cornerRadius());
    setColor(cr, *colour, opacity / (steps + 1));
    cairo_fill(cr);
}

// A shape layer casts the shadow of its path, not of its bounds: the path filled, with a
// stroke of the blur's width for the soft edge.
void drawPathShadow(cairo_t* cr, const CALayer& layer, const CGPath& path)
{
    const auto& colour = layer.shadowColor();
    if (!colour || layer.shadowOpacity() <= 0) {
        return;
    }
    CairoStateGuard state(cr);
    cairo_translate(cr, layer.shadowOffset().width, layer.shadowOffset().height);
    double opacity = std::clamp<double>(layer.shadowOpacity(), 0, 1);
    double blur = std::max(0.0, layer.shadowRadius());
    addPath(cr, path);
    setColor(cr, *colour, opacity / 2);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, blur);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, *colour, opacity / 4);
    if (blur > 0) {
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

void drawBorder(cairo_t* cr, const CALayer& layer, const CGRect& shape)
{
    double width = layer.borderWidth();
    if (width <= 0 || !layer.borderColor()) {
        return;
    }
    // The border lies inside the bounds, as the platform draws it.
    addRoundedRect(cr, shape.insetBy(width / 2, width / 2), std::max(0.0, layer.cornerRadius() - width / 2));
    cairo_set_line_width(cr, width);
    setColor(cr, *layer.borderColor());
    cairo_stroke(cr);
}

void drawShapeLayer(const CAShapeLayer& shape, cairo_t* cr)
{
    if (!shape.path()) {
        return;
    }
    addPath(cr, *shape.path());
    if (shape.fillColor()) {
        setColor(cr, *shape.fillColor());
        cairo_fill_preserve(cr);
    }
    if (shape.strokeColor() && shape.lineWidth() > 0) {
        cairo_set_line_width(cr, shape.lineWidth());
        setColor(cr, *shape.strokeColor());
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
}

// Sublayers that back no view; those that back a subview are drawn with it.
void drawFreeSublayers(const CALayer& layer, cairo_t* cr)
{
    for (const auto& sublayer : layer.sublayers()) {
        if (sublayer && !sublayer->delegate()) {
            ViewRenderer::drawFreeLayer(*sublayer, cr);
        }
    }
}

// A mask view lets the view show only where it covers: the outline of its shape layer, or else
// its frame with its layer's corners. (Its alpha and colours play no part here.)
void clipToMask(cairo_t* cr, const UIView& mask)
{
    CGRect frame = mask.frame();
    auto maskLayer = mask.layer();
    if (auto* shape = dynamic_cast<const CAShapeLayer*>(maskLayer.get()); shape && shape->path()) {
        cairo_save(cr);
        cairo_translate(cr, frame.origin.x, frame.origin.y);
        addPath(cr, *shape->path());
        cairo_restore(cr); // the path stays where it was added
    } else {
        addRoundedRect(cr, frame, maskLayer->cornerRadius());
    }
    cairo_clip(cr);
}

// A pressed button shows its content dimmed.
bool showsPressed(const UIView& view)
{
    auto* button = dynamic_cast<const UIButton*>(&view);
    return button && button->isHighlighted();
}

} // namespace

void ViewRenderer::drawView(const UIView& view, cairo_t* cr)
{
    CairoStateGuard state(cr);
    CGRect frame = view.presentationFrame();
    cairo_translate(cr, -frame.origin.x, -frame.origin.y);
    drawSubview(view, cr);
}

void ViewRenderer::drawSubview(const UIView& view, cairo_t* cr)
{
    auto layerHandle = view.layer();
    const CALayer& layer = *layerHandle;
    // What is on screen: mid-animation, the in-between values.
    double alpha = std::clamp<double>(view.presentationAlpha(), 0, 1);
    if (view.isHidden() || layer.isHidden() || alpha <= 0.001) {
        return;
    }
    CGRect frame = view.presentationFrame();
    double shadowMargin = layer.shadowOpacity() > 0 ? layer.shadowRadius() * 2 + std::abs(layer.shadowOffset().width) +
                                                          std::abs(layer.shadowOffset().height)
                                                    : 0;
    if (isOutsideClip(cr, frame, shadowMargin)) {
        return;
    }

    CairoStateGuard state(cr);
    cairo_translate(cr, frame.origin.x, frame.origin.y);
    if (const auto& mask = view.maskView()) {
        clipToMask(cr, *mask);
    }
    bool grouped = alpha < 0.999;
    if (grouped) {
        cairo_push_group(cr);
    }
    CGRect shape{0, 0, frame.size.width, frame.size.height};
    drawShadow(cr, layer, shape);

    std::optional<CGColor> background = view.presentationBackgroundColor();
    if (!background) {
        background = layer.backgroundColor();
    }
    if (background && background->alpha > 0) {
        addRoundedRect(cr, shape, layer.cornerRadius());
        setColor(cr, *background);
        cairo_fill(cr);
    }
    {
        CairoStateGuard content(cr);
        if (layer.masksToBounds()) {
            addRoundedRect(cr, shape, layer.cornerRadius());
            cairo_clip(cr);
        }
        CGRect bounds = view.bounds();
        cairo_translate(cr, -bounds.origin.x, -bounds.origin.y);
        ViewContentPainter::paint(view, cr);
        {
            CairoStateGuard custom(cr);
            UIGraphicsPushContext(cr);
            view.drawRect(bounds);
            UIGraphicsPopContext();
        }
        drawFreeSublayers(layer, cr);

        bool pressed = showsPressed(view);
        if (pressed) {
            cairo_push_group(cr);
        }
        for (const auto& subview : view.subviews()) {
            drawSubview(*subview, cr);
        }
        if (pressed) {
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, 0.35);
        }
        ViewContentPainter::paintOverlay(view, cr);
    }
    drawBorder(cr, layer, shape);

    if (grouped) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
}

void ViewRenderer::drawFreeLayer(const CALayer& layer, cairo_t* cr)
{
    double alpha = std::clamp<double>(layer.opacity(), 0, 1);
    if (layer.isHidden() || alpha <= 0.001) {
        return;
    }
    CairoStateGuard state(cr);
    CGRect frame = layer.frame();
    cairo_translate(cr, frame.origin.x, frame.origin.y);
    bool grouped = alpha < 0.999;
    if (grouped) {
        cairo_push_group(cr);
    }
    CGRect shape{0, 0, frame.size.width, frame.size.height};
    auto* shapeLayer = dynamic_cast<const CAShapeLayer*>(&layer);
    if (shapeLayer && shapeLayer->path()) {
        drawPathShadow(cr, layer, *shapeLayer->path());
    } else {
        drawShadow(cr, layer, shape);
    }
    if (layer.backgroundColor() && layer.backgroundColor()->alpha > 0) {
        addRoundedRect(cr, shape, layer.cornerRadius());
        setColor(cr, *layer.backgroundColor());
        cairo_fill(cr);
    }
    {
        CairoStateGuard content(cr);
        if (layer.masksToBounds()) {
            addRoundedRect(cr, shape, layer.cornerRadius());
            cairo_clip(cr);
        }
        if (shapeLayer) {
            drawShapeLayer(*shapeLayer, cr);
        }
        drawFreeSublayers(layer, cr);
    }
    drawBorder(cr, layer, shape);
    if (grouped) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
}

} // namespace render

void CALayer::renderInContext(cairo_t* context) const
{
    if (!context || cairo_status(context) != CAIRO_STATUS_SUCCESS) {
        return;
    }
    UIGraphicsPushContext(context);
    if (delegate_) {
        render::ViewRenderer::drawView(*delegate_, context);
    } else {
        cairo_save(context);
        cairo_translate(context, -frame_.origin.x, -frame_.origin.y);
        render::ViewRenderer::drawFreeLayer(*this, context);
        cairo_restore(context);
    }
    UIGraphicsPopContext();
}
