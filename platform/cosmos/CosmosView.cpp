#include "platform/cosmos/CosmosView.hpp"

#include <algorithm>
#include <cmath>

#include "platform/uikit/CALayer.hpp"

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
    CGPath path = starPath(settings_.starSize);
    for (int i = 0; i < settings_.totalStars; ++i) {
        double fill = std::clamp(rating_ - i, 0.0, 1.0);
        auto star = std::make_shared<CAShapeLayer>();
        star->setPath(path);
        star->setFrame({i * (settings_.starSize + settings_.starMargin), 0, settings_.starSize, settings_.starSize});
        bool filled = fill >= 0.5;
        star->setFillColor((filled ? settings_.filledColor : settings_.emptyColor).cgColor());
        star->setStrokeColor((filled ? settings_.filledBorderColor : settings_.emptyBorderColor).cgColor());
        star->setLineWidth(filled ? settings_.filledBorderWidth : settings_.emptyBorderWidth);
        backing->addSublayer(star);
    }
    setNeedsDisplay();
}

void CosmosView::userDidTouchRating(double rating)
{
    if (!settings_.updateOnTouch || !std::isfinite(rating)) {
        return;
    }
    double r = std::clamp(rating, 0.0, static_cast<double>(settings_.totalStars));
    switch (settings_.fillMode) {
    case Cosmos::StarFillMode::full: r = std::ceil(r); break;
    case Cosmos::StarFillMode::half: r = std::ceil(r * 2) / 2; break;
    case Cosmos::StarFillMode::precise: break;
    }
    r = std::max(r, settings_.minTouchRating);
    setRating(r);
    if (didTouchCosmos) {
        didTouchCosmos(rating_);
    }
    if (didFinishTouchingCosmos) {
        didFinishTouchingCosmos(rating_);
    }
}

CGSize CosmosView::intrinsicContentSize() const
{
    int n = settings_.totalStars;
    return {n * settings_.starSize + std::max(0, n - 1) * settings_.starMargin, settings_.starSize};
}
