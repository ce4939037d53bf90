#include "platform/render/ViewRenderer.hpp"

#include <algorithm>
#include <cmath>

#include "platform/render/AlphaBlur.hpp"
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

bool castsShadow(const CALayer& layer)
{
    return layer.shadowColor() && layer.shadowOpacity() > 0 && layer.shadowColor()->alpha > 0;
}

double shadowMargin(const CALayer& layer)
{
    if (!castsShadow(layer)) {
        return 0;
    }
    return std::max(0.0, layer.shadowRadius()) * 2 + std::abs(layer.shadowOffset().width) + std::abs(layer.shadowOffset().height);
}

// The shadow of what the layer drew (its content, taken as a group): the content's coverage,
// softened over the blur radius, offset, in the shadow colour. So a clear view casts the shadow
// of its ink only, and a shape layer that of its path, never of the bounds. The coverage is a
// group over the clip, which the caller has set to the area the shadow can reach.
void drawShadowOf(cairo_t* cr, const CALayer& layer, cairo_pattern_t* content)
{
    const CGColor& colour = *layer.shadowColor();
    double opacity = std::clamp<double>(layer.shadowOpacity(), 0, 1) * colour.alpha;
    CGSize offset = layer.shadowOffset();
    double blur = std::max(0.0, layer.shadowRadius());
    CairoStateGuard state(cr);
    cairo_push_group_with_content(cr, CAIRO_CONTENT_ALPHA);
    cairo_set_source(cr, content);
    cairo_paint(cr);
    cairo_pattern_t* coverage = cairo_pop_group(cr);
    cairo_surface_t* group = nullptr;
    if (blur > 0 && cairo_pattern_get_surface(coverage, &group) == CAIRO_STATUS_SUCCESS) {
        // The radius in the group's pixels: user space scaled by the context, then the surface.
        double dx = blur;
        double dy = 0;
        cairo_user_to_device_distance(cr, &dx, &dy);
        double scaleX = 1;
        double scaleY = 1;
        cairo_surface_get_device_scale(group, &scaleX, &scaleY);
        double pixels = std::hypot(dx, dy) * scaleX;
        cairo_surface_t* image = cairo_surface_map_to_image(group, nullptr);
        if (cairo_image_surface_get_format(image) == CAIRO_FORMAT_A8) {
            cairo_surface_flush(image);
            // The radius reaches about two deviations, as the platform's shadow does.
            blurAlpha(cairo_image_surface_get_data(image), cairo_image_surface_get_width(image),
                      cairo_image_surface_get_height(image), cairo_image_surface_get_stride(image), pixels / 2);
            cairo_surface_mark_dirty(image);
        }
        cairo_surface_unmap_image(group, image);
    }
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, opacity);
    cairo_translate(cr, offset.width, offset.height);
    cairo_mask(cr, coverage);
    cairo_pattern_destroy(coverage);
}

// Runs `draw` (the layer's own drawing) with the layer's shadow beneath it. The group is cut to
// the area the layer and its direct sublayers or subviews reach, so a small shadowed button
// never costs a group the size of the window.
template <class Draw>
void drawWithShadow(cairo_t* cr, const CALayer& layer, CGRect reach, Draw draw)
{
    if (!castsShadow(layer)) {
        draw();
        return;
    }
    CairoStateGuard state(cr);
    CGRect area = reach.insetBy(-shadowMargin(layer), -shadowMargin(layer));
    cairo_rectangle(cr, area.origin.x, area.origin.y, area.size.width, area.size.height);
    cairo_clip(cr);
    cairo_push_group(cr);
    draw();
    cairo_pattern_t* content = cairo_pop_group(cr);
    drawShadowOf(cr, layer, content);
    cairo_set_source(cr, content);
    cairo_paint(cr);
    cairo_pattern_destroy(content);
}

CGRect unionOf(const CGRect& a, const CGRect& b)
{
    CGFloat x0 = std::min(a.minX(), b.minX());
    CGFloat y0 = std::min(a.minY(), b.minY());
    return {x0, y0, std::max(a.maxX(), b.maxX()) - x0, std::max(a.maxY(), b.maxY()) - y0};
}

// What the layer and its own sublayers cover, in its frame's coordinates.
CGRect withSublayers(const CALayer& layer, CGRect own)
{
    if (layer.masksToBounds()) {
        return own;
    }
    for (const auto& sublayer : layer.sublayers()) {
        if (sublayer && !sublayer->delegate()) {
            own = unionOf(own, sublayer->frame());
        }
    }
    return own;
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
    if (isOutsideClip(cr, frame, shadowMargin(layer))) {
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
    CGRect reach = withSublayers(layer, shape);
    if (!layer.masksToBounds()) {
        CGRect bounds = view.bounds();
        for (const auto& subview : view.subviews()) {
            reach = unionOf(reach, subview->presentationFrame().offsetBy(-bounds.origin.x, -bounds.origin.y));
        }
    }
    drawWithShadow(cr, layer, reach, [&] { drawViewLayer(view, cr, shape); });

    if (grouped) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
}

void ViewRenderer::drawViewLayer(const UIView& view, cairo_t* cr, const CGRect& shape)
{
    auto layerHandle = view.layer();
    const CALayer& layer = *layerHandle;
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
        // Free sublayers and subviews interleave in the order they joined the view.
        const auto& sublayers = layer.sublayers();
        auto nextLayer = sublayers.begin();
        auto drawLayersBefore = [&](uint64_t order) {
            for (; nextLayer != sublayers.end() && (*nextLayer)->stackingOrder() < order; ++nextLayer) {
                if (*nextLayer && !(*nextLayer)->delegate()) {
                    ViewRenderer::drawFreeLayer(**nextLayer, cr);
                }
            }
        };
        bool pressed = showsPressed(view);
        if (pressed) {
            cairo_push_group(cr);
        }
        for (const auto& subview : view.subviews()) {
            drawLayersBefore(subview->layer()->stackingOrder());
            drawSubview(*subview, cr);
        }
        if (pressed) {
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, 0.35);
        }
        drawLayersBefore(UINT64_MAX);
        ViewContentPainter::paintOverlay(view, cr);
    }
    drawBorder(cr, layer, shape);
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
    drawWithShadow(cr, layer, withSublayers(layer, shape), [&] {
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
            if (auto* shapeLayer = dynamic_cast<const CAShapeLayer*>(&layer)) {
                drawShapeLayer(*shapeLayer, cr);
            }
            drawFreeSublayers(layer, cr);
        }
        drawBorder(cr, layer, shape);
    });
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
