#include "Radixel/screens/rating/RatingViewControllerNib.hpp"

#include <string>
#include <vector>

#include "Radixel/screens/rating/RatingViewController.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/UINib.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace {

constexpr CGFloat cardWidth = 310;
constexpr CGFloat cardHeight = 220;
constexpr CGFloat margin = 16;
constexpr CGFloat buttonHeight = 44;
constexpr CGFloat starSize = 36;
constexpr CGFloat starMargin = 10;
// Palette tags read by the colour styling: the dimmed background, and the buttons.
constexpr int translucentTag = 200;
constexpr int cancelTag = 101;
constexpr int sendTag = 102;

std::shared_ptr<UIButton> button(CGRect frame, int tag, const std::string& identifier) {
    auto made = std::make_shared<UIButton>(frame);
    made->setTag(tag);
    made->setAccessibilityIdentifier(identifier);
    made->titleLabel()->setFont(UIFont::fontWithName("Avenir-Heavy", 17).value_or(UIFont::boldSystemFontOfSize(17)));
    return made;
}

std::vector<std::shared_ptr<UIView>> build(const std::shared_ptr<UIResponder>& owner) {
    auto prompt = std::dynamic_pointer_cast<RatingViewController>(owner);
    if (!prompt)
        uikit::fatalError("The interface file \"RatingViewController\" connects its outlets to a RatingViewController");
    CGRect screen = UIScreen::mainScreen().bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(UIColor::clearColor());
    root->setOpaque(false);

    auto background = std::make_shared<UIView>(screen);
    background->setBackgroundColor(UIColor::blackColor());
    background->setTag(translucentTag);

    auto card = std::make_shared<UIView>(
        CGRect{(screen.size.width - cardWidth) / 2, (screen.size.height - cardHeight) / 2, cardWidth, cardHeight});
    // A raised background, so the card stands out from the dimmed screen in the dark style too.
    card->setBackgroundColor(ThemeColor::tertiaryBackground());
    auto label = std::make_shared<UILabel>(CGRect{margin, margin, cardWidth - 2 * margin, 56});
    label->setFont(UIFont::fontWithName("Avenir-Heavy", 18).value_or(UIFont::boldSystemFontOfSize(18)));
    label->setTextColor(ThemeColor::label());
    label->setTextAlignment(NSTextAlignment::Center);
    label->setNumberOfLines(2);

    Cosmos::CosmosSettings settings;
    settings.starSize = starSize;
    settings.starMargin = starMargin;
    settings.fillMode = Cosmos::StarFillMode::full;
    auto stars = std::make_shared<CosmosView>();
    stars->setSettings(settings);
    CGSize starsSize = stars->intrinsicContentSize();
    stars->setFrame({(cardWidth - starsSize.width) / 2, 88, starsSize.width, starsSize.height});
    stars->setAccessibilityIdentifier("ratingStars");

    CGFloat buttonWidth = (cardWidth - 3 * margin) / 2;
    CGFloat buttonTop = cardHeight - margin - buttonHeight;
    auto cancel = button({margin, buttonTop, buttonWidth, buttonHeight}, cancelTag, "cancelRatingButton");
    auto send = button({2 * margin + buttonWidth, buttonTop, buttonWidth, buttonHeight}, sendTag, "sendRatingButton");

    for (const auto& view : std::vector<std::shared_ptr<UIView>>{label, stars, cancel, send}) card->addSubview(view);
    root->addSubview(background);
    root->addSubview(card);

    prompt->ratingView = card;
    prompt->StarRatingView = stars;
    prompt->ratingLabel = label;
    prompt->cancelRatingButton = cancel;
    prompt->sendRatingButton = send;
    prompt->ratingBackgroundView = background;
    send->addTarget(prompt, &RatingViewController::tappedSendRatingButton, UIControlEventTouchUpInside);
    cancel->addTarget(prompt, &RatingViewController::tappedCancelRatingButton, UIControlEventTouchUpInside);
    return {root};
}

}  // namespace

bool registerRatingViewControllerNib() {
    UINib::registerNib("RatingViewController", build);
    return true;
}
