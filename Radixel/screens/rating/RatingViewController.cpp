// The rating prompt: a card with a text, five stars and "cancel" / "send" over the calculate
// screen, asked for after some uses (see the header for the countdown).
//
// Non-obvious cases: the prompt is shown at most once per process, also after a cancel; a
// counter already at 0 or below (a prompt left unanswered when the process ended) brings the
// prompt at the first check of the next process; the store path needs the network, and when it
// cannot be reached the countdown starts again at 5 instead of marking the rating done.

#include "Radixel/screens/rating/RatingViewController.hpp"

#include <limits>

#include "Radixel/screens/rating/RatingViewControllerNib.hpp"
#include "Radixel/services/CalculatorKey.hpp"
#include "Radixel/services/ColorManager.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "platform/foundation/WeakSelf.hpp"
#include "platform/uikit/UIAlertController.hpp"

namespace {

constexpr int64_t countdownStart = 5;
constexpr double storeRating = 4.0;

using Self = std::shared_ptr<RatingViewController>;

}  // namespace

RatingViewController& RatingViewController::shared() {
    static ProcessShared<RatingViewController> prompt([] { return std::make_shared<RatingViewController>(); });
    return *prompt.get();
}

RatingViewController::RatingViewController() { registerRatingViewControllerNib(); }

void RatingViewController::check(const std::shared_ptr<UIViewController>& viewController) {
    if (DefaultsKeys::isRatingAlreadyDone.get() || isShownInSession) return;
    int64_t counter = counterForRating();
    // A stored counter at the very bottom of the range stays there instead of wrapping round.
    _counterForRating = counter > std::numeric_limits<int64_t>::min() ? counter - 1 : counter;
    DefaultsKeys::counterForRating.set(_counterForRating);
    if (counterForRating() < 1) {
        this->viewController = viewController;
        DispatchQueue::main().async(weakly(this, [](const Self& self) { self->presentPrompt(); }));
    }
}

int64_t RatingViewController::counterForRating() {
    if (DefaultsKeys::counterForRating.hasValue()) {
        _counterForRating = DefaultsKeys::counterForRating.get();
    } else {
        DefaultsKeys::counterForRating.set(_counterForRating);
    }
    return _counterForRating;
}

void RatingViewController::presentPrompt() {
    setModalPresentationStyle(UIModalPresentationStyle::OverCurrentContext);
    setModalTransitionStyle(UIModalTransitionStyle::CrossDissolve);
    if (auto presenter = viewController.lock()) presenter->presentViewController(as<RatingViewController>(), true);
}

void RatingViewController::setupViews() {
    ColorManager::applyColors(*view());
    for (const auto& rounded :
         {ratingView, std::shared_ptr<UIView>(sendRatingButton), std::shared_ptr<UIView>(cancelRatingButton)})
        if (rounded) rounded->layer()->setCornerRadius(2.0);
    if (auto label = ratingLabel.lock()) label->setText(LocalizedString::rate());
    if (ratingView) ratingView->layer()->setMasksToBounds(true);
    if (cancelRatingButton) cancelRatingButton->setTitle(LocalizedString::cancel(), UIControlStateNormal);
    if (sendRatingButton) sendRatingButton->setTitle(LocalizedString::send(), UIControlStateNormal);
    isShownInSession = true;
}

// UIViewController

void RatingViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    setupViews();
}

void RatingViewController::viewDidLayoutSubviews() {
    UIViewController::viewDidLayoutSubviews();
    if (StarRatingView) ColorManager::styleLayers(*StarRatingView);
}

// Actions

void RatingViewController::tappedSendRatingButton(const std::shared_ptr<UIButton>&) { sendRating(); }

void RatingViewController::tappedCancelRatingButton(const std::shared_ptr<UIButton>&) { cancelRating(); }

void RatingViewController::sendRating() {
    double rating = StarRatingView ? StarRatingView->rating() : 0;
    DDVAnalytics::logEventWithName("tapped_rated_app",
                                   {{"app", code(CalculatorKey::quadraticEquation)}, {"rating", rating}});
    dismissViewControllerAnimated(true, weakly(this, [](const Self& self) { self->finishRating(); }));
}

void RatingViewController::cancelRating() {
    DDVAnalytics::logEventWithName("tapped_rated_app_cancel");
    dismissViewControllerAnimated(true, weakly(this, [](const Self& self) { self->restartCountdown(); }));
}

void RatingViewController::finishRating() {
    double rating = StarRatingView ? StarRatingView->rating() : 0;
    if (rating < storeRating) {
        DefaultsKeys::isRatingAlreadyDone.set(true);
        showThanksAlert();
        return;
    }
    auto presenter = viewController.lock();
    if (!presenter) return;
    checkInternetConnection(
        *presenter,
        weakly(this,
               [](const Self& self) {
                   openRatingPage(*self);
                   DefaultsKeys::isRatingAlreadyDone.set(true);
                   self->showThanksAlert();
               }),
        weakly(this, [](const Self& self, const std::shared_ptr<UIAlertAction>&) { self->restartCountdown(); }));
}

void RatingViewController::showThanksAlert() {
    auto alert = UIAlertController::alertControllerWithTitle(LocalizedString::thanks(), std::string(),
                                                             UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle(LocalizedString::close(), UIAlertActionStyle::Default, nullptr));
    if (auto presenter = viewController.lock()) presenter->presentViewController(alert, true);
}

// Private

void RatingViewController::restartCountdown() {
    _counterForRating = countdownStart;
    DefaultsKeys::counterForRating.set(countdownStart);
}
