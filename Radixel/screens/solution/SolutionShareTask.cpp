#include "Radixel/screens/solution/SolutionShareTask.hpp"

#include "Radixel/charts/views/ScreenshotFlag.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/screens/solution/TableScreenshot.hpp"
#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "Radixel/services/ViewManager.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/WeakSelf.hpp"
#include "platform/uikit/UIAlertController.hpp"

namespace {

// What the share task and the quality note's OK have in common. The sheet is offered once, by
// whichever of the two comes last; offering it while the note is still up would be refused.
struct ShareState {
    std::vector<std::shared_ptr<UIImage>> images;
    bool answered = false;
    bool captured = false;
    bool offered = false;
};

void offerWhenBothDone(ShareState& state, SolutionViewController& screen) {
    if (state.offered || !state.answered || !state.captured) {
        return;
    }
    state.offered = true;
    SolutionViewController::presentShareSheet(state.images, screen);
}

}  // namespace

Task<> shareSolution(std::weak_ptr<SolutionViewController> page) {
    auto screen = page.lock();
    if (!screen || screen->solutionSteps.empty()) {
        co_return;
    }
    isTakingScreenshot = true;
    ViewManager::showBusyOverlay();
    auto state = std::make_shared<ShareState>();
    auto ok = UIAlertAction::actionWithTitle(
        "OK", UIAlertActionStyle::Default,
        weakly(page, [state](const std::shared_ptr<SolutionViewController>& self, const auto&) {
            state->answered = true;
            offerWhenBothDone(*state, *self);
        }));
    showAlert(*screen, NSLocalizedString("sharingImageQualityTitle", "sharingImageQualityTitle"),
              NSLocalizedString("sharingImageQualityText", "sharingImageQualityText"), {ok},
              UIAlertControllerStyle::Alert);
    auto table = screen->tableView;
    screen.reset();  // the page is not kept alive by the capture
    std::shared_ptr<UIImage> image;
    if (table) {
        image = co_await screenshotAsync(table);
    }
    if (image) {
        state->images.push_back(image);
    }
    ViewManager::hideBusyOverlay();
    isTakingScreenshot = false;
    state->captured = true;
    if (auto self = page.lock()) {
        offerWhenBothDone(*state, *self);
    }
}
