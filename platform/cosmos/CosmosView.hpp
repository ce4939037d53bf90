#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/uikit/UIView.hpp"

namespace Cosmos {

enum class StarFillMode : int { full = 0, half = 1, precise = 2 };

// How the stars look and respond: a value, copied, changed and set back as a whole.
struct CosmosSettings {
    int totalStars = 5;
    CGFloat starSize = 20;
    CGFloat starMargin = 5;
    UIColor filledColor = UIColor::colorWithRed(1, 149 / 255.0, 0, 1);
    UIColor emptyColor = UIColor::clearColor();
    UIColor filledBorderColor = UIColor::colorWithRed(1, 149 / 255.0, 0, 1);
    UIColor emptyBorderColor = UIColor::colorWithRed(1, 149 / 255.0, 0, 1);
    CGFloat filledBorderWidth = 1;
    CGFloat emptyBorderWidth = 1;
    StarFillMode fillMode = StarFillMode::full;
    bool updateOnTouch = true;
    double minTouchRating = 1;
};

} // namespace Cosmos

// A row of stars showing a rating. Each star is a shape sublayer of the view's layer, rebuilt
// whenever the rating or the settings change; a star the rating ends in shows its filled part
// (a half in the half fill mode, the exact share in the precise one, none in the full one, where
// the rating shows rounded to whole stars).
//
// Touches: a finger down on the stars, and every move of it, sets the rating to where it is (the
// star under it counts whole, or up to the next half, or to the exact point, by the fill mode;
// left of the first star is 0), never below the minimum touch rating, and calls didTouchCosmos
// with it when it changed; lifting the finger calls didFinishTouchingCosmos with the rating.
// Without updateOnTouch the view ignores touches.
class CosmosView : public UIView {
public:
    CosmosView();
    explicit CosmosView(const CGRect& frame);
    explicit CosmosView(const NSCoder& coder);

    double rating() const { return rating_; }
    // Non-finite ratings count as 0.
    void setRating(double rating);
    const Cosmos::CosmosSettings& settings() const { return settings_; }
    void setSettings(const Cosmos::CosmosSettings& settings);
    const std::optional<std::string>& text() const { return text_; }
    void setText(std::optional<std::string> text) { text_ = std::move(text); }

    std::function<void(double)> didTouchCosmos;
    std::function<void(double)> didFinishTouchingCosmos;

    // The user lifts a finger over the stars at this rating; ignored unless updateOnTouch.
    void userDidTouchRating(double rating);

    CGSize intrinsicContentSize() const override;

    // UIView
    bool tracksTouches() const override { return settings_.updateOnTouch; }
    // UIResponder
    void touchesBegan(const UITouchSet& touches) override;
    void touchesMoved(const UITouchSet& touches) override;
    void touchesEnded(const UITouchSet& touches) override;
    void touchesCancelled(const UITouchSet& touches) override;

private:
    void update();
    // Where a touch at this x (in the view) lies on the stars, as a rating.
    double touchRating(CGFloat x) const;
    double roundedTouchRating(double precise) const;
    void touchAt(const UITouchSet& touches);

    double rating_ = 0;
    Cosmos::CosmosSettings settings_;
    std::optional<std::string> text_;
    std::optional<double> lastTouchedRating_;
};
