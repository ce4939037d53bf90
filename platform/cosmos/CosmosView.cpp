#include "platform/cosmos/CosmosView.hpp"

#include <algorithm>
#include <cmath>

#include "platform/uikit/CALayer.hpp"
#include "platform/uikit/UITouch.hpp"

namespace {

CGPath starPath(CGFloat size)
{
    CGPath path;
    const double pi = 3.14159265358979323846;
    CGFloat outer = size / 2;
    CGFloat inner = outer * 0.4;
    for (int i = 0; i < 10; ++i) {
        CGFloat r = (i % 2 == 0) ? outer : inner;
        double angle = -pi / 2 + i * pi / 5;
        CGPoint p{outer + r * std::cos(angle), outer + r * std::sin(angle)};
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    path.close();
    return path;
}

} // namespace

CosmosView::CosmosView() : CosmosView(CGRectZero) {}

CosmosView::CosmosView(const CGRect& frame) : UIView(frame)
{
    setOpaque(false);
    update();
}

CosmosView::CosmosView(const NSCoder& /*coder*/) : CosmosView() {}

void CosmosView::setRating(double rating)
{
    rating_ = std::isfinite(rating) ? rating : 0;
    update();
}

void CosmosView::setSettings(const Cosmos::CosmosSettings& settings)
{
    settings_ = settings;
    settings_.totalStars = std::clamp(settings_.totalStars, 0, 100);
    update();
}

void CosmosView::update()
{
    auto backing = layer();
    auto old = backing->sublayers();
    for (const auto& sub : old) {
        sub->removeFromSuperlayer();
    }
    double shown = rating_;
    switch (settings_.fillMode) {
    case Cosmos::StarFillMode::full: shown = std::round(shown); break;
    case Cosmos::StarFillMode::half: shown = std::round(shown * 2) / 2; break;
    case Cosmos::StarFillMode::precise: break;
    }
    CGPath path = starPath(settings_.starSize);
    CGRect square{0, 0, settings_.starSize, settings_.starSize};
    auto makeStar = [&](bool filled) {
        auto star = std::make_shared<CAShapeLayer>();
        star->setPath(path);
        star->setFrame(square);
        star->setFillColor((filled ? settings_.filledColor : settings_.emptyColor).cgColor());
        star->setStrokeColor((filled ? settings_.filledBorderColor : settings_.emptyBorderColor).cgColor());
        star->setLineWidth(filled ? settings_.filledBorderWidth : settings_.emptyBorderWidth);
        return star;
    };
    for (int i = 0; i < settings_.totalStars; ++i) {
        double fill = std::clamp(shown - i, 0.0, 1.0);
        auto star = makeStar(fill >= 1);
        star->setFrame(square.offsetBy(i * (settings_.starSize + settings_.starMargin), 0));
        if (fill > 0 && fill < 1) {
            // The filled part: a filled star cut off at the fill's share of the width.
            auto part = std::make_shared<CALayer>();
            part->setFrame({0, 0, settings_.starSize * fill, settings_.starSize});
            part->setMasksToBounds(true);
            part->addSublayer(makeStar(true));
            star->addSublayer(part);
        }
        backing->addSublayer(star);
    }
    setNeedsDisplay();
}

double CosmosView::touchRating(CGFloat x) const
{
    double pitch = settings_.starSize + settings_.starMargin;
    double precise = 0;
    if (std::isfinite(x) && x > 0 && pitch > 0 && settings_.starSize > 0) {
        double star = std::floor(x / pitch);
        // In the margin after a star counts as that star whole.
        double within = std::min(1.0, (x - star * pitch) / settings_.starSize);
        precise = star + within;
    }
    return precise;
}

double CosmosView::roundedTouchRating(double precise) const
{
    double r = std::clamp(precise, 0.0, static_cast<double>(settings_.totalStars));
    switch (settings_.fillMode) {
    case Cosmos::StarFillMode::full: r = std::ceil(r); break;
    case Cosmos::StarFillMode::half: r = std::ceil(r * 2) / 2; break;
    case Cosmos::StarFillMode::precise: break;
    }
    return std::max(r, settings_.minTouchRating);
}

void CosmosView::userDidTouchRating(double rating)
{
    if (!settings_.updateOnTouch || !std::isfinite(rating)) {
        return;
    }
    setRating(roundedTouchRating(rating));
    if (didTouchCosmos) {
        didTouchCosmos(rating_);
    }
    if (didFinishTouchingCosmos) {
        didFinishTouchingCosmos(rating_);
    }
}

void CosmosView::touchAt(const UITouchSet& touches)
{
    if (!settings_.updateOnTouch || touches.empty()) {
        return;
    }
    double rating = roundedTouchRating(touchRating((*touches.begin())->locationInView(this).x));
    if (rating != rating_) {
        setRating(rating);
    }
    // Once when the finger comes down, then only for a change: a finger held still says nothing.
    if (didTouchCosmos && lastTouchedRating_ != rating) {
        lastTouchedRating_ = rating;
        didTouchCosmos(rating);
    }
}

void CosmosView::touchesBegan(const UITouchSet& touches)
{
    lastTouchedRating_.reset();
    touchAt(touches);
}

void CosmosView::touchesMoved(const UITouchSet& touches)
{
    touchAt(touches);
}

void CosmosView::touchesEnded(const UITouchSet& touches)
{
    touchAt(touches);
    if (settings_.updateOnTouch && didFinishTouchingCosmos) {
        didFinishTouchingCosmos(rating_);
    }
}

void CosmosView::touchesCancelled(const UITouchSet& /*touches*/)
{
    if (settings_.updateOnTouch && didFinishTouchingCosmos) {
        didFinishTouchingCosmos(rating_);
    }
}

CGSize CosmosView::intrinsicContentSize() const
{
    int n = settings_.totalStars;
    return {n * settings_.starSize + std::max(0, n - 1) * settings_.starMargin, settings_.starSize};
}
