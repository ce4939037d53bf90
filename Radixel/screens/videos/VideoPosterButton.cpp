#include "Radixel/screens/videos/VideoPosterButton.hpp"

#include <algorithm>
#include <cmath>

#include "Radixel/services/KeTuColor.hpp"
#include "platform/foundation/URL.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"

namespace {

constexpr double pi = 3.14159265358979323846;

void setSource(cairo_t* cr, const UIColor& color, double alpha = 1) {
    CGColor c = color.cgColor();
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha * alpha);
}

}  // namespace

VideoPosterButton::VideoPosterButton() : caption_(std::make_shared<UILabel>()) {
    setOpaque(false);
    caption_->setFont(UIFont::systemFontOfSize(13, UIFontWeightSemibold));
    caption_->setTextColor(UIColor::colorWithWhite(1, 0.9));
    caption_->setUserInteractionEnabled(false);
}

void VideoPosterButton::setVideo(const VideoLink& video) {
    pageLink_ = videoPageLink(video);
    std::string caption = video.videoId;
    if (video.startSeconds) caption += "  \u25B8 " + *video.startSeconds + " s";
    caption_->setText(caption);
    setAccessibilityLabel(caption);
    setNeedsDisplay();
}

// UIControl

// Playing means the browser: the platform's player cannot show the video itself.
void VideoPosterButton::tap() {
    bool takesTouches = isEnabled() && !isHidden() && isUserInteractionEnabled();
    UIControl::tap();
    if (!takesTouches || !pageLink_) return;
    if (std::optional<URL> page = URL::string(*pageLink_)) UIApplication::sharedApplication().openURL(*page, {}, {});
}

// UIView

void VideoPosterButton::drawRect(const CGRect&) const {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr) return;
    CGRect area = bounds();
    double width = area.size.width;
    double height = area.size.height;

    cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, width, height);
    CGColor from = KeTuColor::color3().cgColor();
    CGColor to = KeTuColor::color1().cgColor();
    cairo_pattern_add_color_stop_rgb(shade, 0, from.red, from.green, from.blue);
    cairo_pattern_add_color_stop_rgb(shade, 1, to.red, to.green, to.blue);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);

    // A round play button a little above the middle, clear of the caption.
    double radius = std::max(8.0, std::min(width, height) * 0.14);
    double cx = width / 2;
    double cy = height * 0.45;
    cairo_arc(cr, cx, cy, radius, 0, 2 * pi);
    setSource(cr, UIColor::whiteColor(), 0.92);
    cairo_fill(cr);
    double side = radius * 0.9;
    cairo_move_to(cr, cx - side * 0.35, cy - side * 0.5);
    cairo_line_to(cr, cx + side * 0.55, cy);
    cairo_line_to(cr, cx - side * 0.35, cy + side * 0.5);
    cairo_close_path(cr);
    setSource(cr, KeTuColor::color2());
    cairo_fill(cr);
}

// A view cannot take subviews before it is owned, so the caption joins when the poster does.
void VideoPosterButton::didMoveToSuperview() {
    if (!caption_->superview()) addSubview(caption_);
}

void VideoPosterButton::layoutSubviews() {
    CGRect area = bounds();
    caption_->setFrame({12, area.size.height - 34, std::max<CGFloat>(0, area.size.width - 24), 22});
}
