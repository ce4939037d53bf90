#pragma once

#include <cstdint>
#include <memory>

#include "platform/cosmos/CosmosView.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIViewController.hpp"

// The rating prompt: a card with a text, five stars, "cancel" and "send" over the calculate
// screen. The calculate screen calls check each time it has appeared:
//
//     RatingViewController::shared().check(as<UIViewController>());   // in viewDidAppear
//
// Every check counts "counterForRating" down (5 on a fresh installation); the check that brings
// it below 1 presents the prompt, on the next turn of the main queue. Four stars or more open
// the store's rating page (after the internet check), fewer are only thanked for; either way
// "isRatingAlreadyDone" ends the countdown for good. Cancel, and a store that cannot be reached,
// start the countdown again at 5. Once the prompt has been shown in a process it is not shown
// again in that process, whatever the answer.
//
// Its views come from the nib named after the class.
class RatingViewController : public UIViewController {
public:
    // The one prompt of the process, made on first use.
    static RatingViewController& shared();

    RatingViewController();

    // Outlets, connected by the nib.
    std::shared_ptr<UIView> ratingView;
    std::shared_ptr<CosmosView> StarRatingView;
    std::weak_ptr<UILabel> ratingLabel;
    std::shared_ptr<UIButton> cancelRatingButton;
    std::shared_ptr<UIButton> sendRatingButton;
    std::shared_ptr<UIView> ratingBackgroundView;

    // Set once the prompt's views were loaded in this process.
    bool isShownInSession = false;
    // The in-memory copy of "counterForRating".
    int64_t _counterForRating = 5;
    // The screen that presents the prompt and its alerts, until the next presentation replaces
    // it. Held weakly: that screen holds the prompt while presenting it.
    std::weak_ptr<UIViewController> viewController;

    void check(const std::shared_ptr<UIViewController>& viewController);
    // Reads "counterForRating", storing the in-memory value when the key holds none.
    int64_t counterForRating();
    void presentPrompt();
    void setupViews();

    // UIViewController
    void viewDidLoad() override;
    void viewDidLayoutSubviews() override;

    // Actions
    void tappedSendRatingButton(const std::shared_ptr<UIButton>& sender);
    void tappedCancelRatingButton(const std::shared_ptr<UIButton>& sender);

    void sendRating();
    void cancelRating();
    void finishRating();
    void showThanksAlert();

private:
    void restartCountdown();
};
