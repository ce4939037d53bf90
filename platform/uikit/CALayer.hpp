#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <cairo.h>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/CGPath.hpp"
#include "platform/uikit/UIColor.hpp"

class UIView;

// The visual attributes of a view (and of free-standing layers such as borders). A layer owns
// its sublayers; its superlayer is only referenced.
class CALayer : public std::enable_shared_from_this<CALayer> {
public:
    CALayer() = default;
    virtual ~CALayer() = default;
    CALayer(const CALayer&) = delete;
    CALayer& operator=(const CALayer&) = delete;

    CGRect frame() const { return frame_; }
    void setFrame(const CGRect& frame) { frame_ = frame; }
    CGRect bounds() const { return {CGPointZero, frame_.size}; }
    void setBounds(const CGRect& bounds) { frame_.size = bounds.size; }
    CGPoint position() const { return {frame_.midX(), frame_.midY()}; }

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    const std::optional<CGColor>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<CGColor> color) { backgroundColor_ = color; }

    CGFloat borderWidth() const { return borderWidth_; }
    void setBorderWidth(CGFloat width) { borderWidth_ = width; }
    const std::optional<CGColor>& borderColor() const { return borderColor_; }
    void setBorderColor(std::optional<CGColor> color) { borderColor_ = color; }

    CGFloat cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(CGFloat radius) { cornerRadius_ = radius; }
    bool masksToBounds() const { return masksToBounds_; }
    void setMasksToBounds(bool masks) { masksToBounds_ = masks; }

    const std::optional<CGColor>& shadowColor() const { return shadowColor_; }
    void setShadowColor(std::optional<CGColor> color) { shadowColor_ = color; }
    float shadowOpacity() const { return shadowOpacity_; }
    void setShadowOpacity(float opacity) { shadowOpacity_ = opacity; }
    CGSize shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(CGSize offset) { shadowOffset_ = offset; }
    CGFloat shadowRadius() const { return shadowRadius_; }
    void setShadowRadius(CGFloat radius) { shadowRadius_ = radius; }

    float opacity() const { return opacity_; }
    void setOpacity(float opacity) { opacity_ = opacity; }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }

    // Sublayers in drawing order. Adding a layer that already has a superlayer moves it.
    const std::vector<std::shared_ptr<CALayer>>& sublayers() const { return sublayers_; }
    void addSublayer(const std::shared_ptr<CALayer>& layer);
    void insertSublayer(const std::shared_ptr<CALayer>& layer, size_t index);
    void removeFromSuperlayer();
    std::shared_ptr<CALayer> superlayer() const { return superlayer_.lock(); }

    // Views are not sublayers of their superview's layer here, so free sublayers and subviews
    // are interleaved by when they joined: a layer added after a subview draws above it, one
    // inserted at the bottom draws below every subview, as on the phone.
    uint64_t stackingOrder() const { return stackingOrder_; }
    void takeNextStackingOrder();

    // Hook for the drawing layer; nothing is drawn headless.
    virtual void setNeedsDisplay() {}

    // The view this layer backs (the platform's layer delegate), null for free-standing layers.
    // The view sets it and clears it when it goes, so it never dangles.
    UIView* delegate() const { return delegate_; }
    void setDelegate(UIView* view) { delegate_ = view; }

    // Draws the layer, the content of its view and everything above it into the context, with
    // the layer's top left at the context's origin. Provided by the drawing backend
    // (platform/render), which must be linked to use it.
    void renderInContext(cairo_t* context) const;

private:
    CGRect frame_;
    std::string name_;
    std::optional<CGColor> backgroundColor_;
    CGFloat borderWidth_ = 0;
    std::optional<CGColor> borderColor_ = CGColor{0, 0, 0, 1};
    CGFloat cornerRadius_ = 0;
    bool masksToBounds_ = false;
    std::optional<CGColor> shadowColor_ = CGColor{0, 0, 0, 1};
    float shadowOpacity_ = 0;
    CGSize shadowOffset_{0, -3};
    CGFloat shadowRadius_ = 3;
    float opacity_ = 1;
    bool hidden_ = false;
    std::vector<std::shared_ptr<CALayer>> sublayers_;
    std::weak_ptr<CALayer> superlayer_;
    UIView* delegate_ = nullptr;
    uint64_t stackingOrder_ = 0;
};

// A layer that strokes and fills a path.
class CAShapeLayer : public CALayer {
public:
    const std::optional<CGPath>& path() const { return path_; }
    void setPath(std::optional<CGPath> path) { path_ = std::move(path); }
    CGFloat lineWidth() const { return lineWidth_; }
    void setLineWidth(CGFloat width) { lineWidth_ = width; }
    const std::optional<CGColor>& strokeColor() const { return strokeColor_; }
    void setStrokeColor(std::optional<CGColor> color) { strokeColor_ = color; }
    const std::optional<CGColor>& fillColor() const { return fillColor_; }
    void setFillColor(std::optional<CGColor> color) { fillColor_ = color; }

private:
    std::optional<CGPath> path_;
    CGFloat lineWidth_ = 1;
    std::optional<CGColor> strokeColor_;
    std::optional<CGColor> fillColor_ = CGColor{0, 0, 0, 1};
};
