#include "Radixel/services/SavedDataAlert.hpp"

#include <memory>

#include "Radixel/services/ViewManager.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

// A presentation under way (the introduction sliding in, an alert fading) refuses another one
// for a moment; the alert waits for it rather than be lost.
constexpr double retrySeconds = 0.5;
constexpr int attempts = 40;

struct RunState {
    bool told = false;
};

std::shared_ptr<RunState> runState() {
    static ProcessShared<RunState> state([] { return std::make_shared<RunState>(); });
    return state.get();
}

std::shared_ptr<UIViewController> frontController() {
    auto window = ViewManager::keyWindow();
    auto top = window ? window->rootViewController() : nullptr;
    while (top && top->presentedViewController()) top = top->presentedViewController();
    return top;
}

void present(const std::shared_ptr<UIAlertController>& alert, int attemptsLeft) {
    if (auto front = frontController()) {
        front->presentViewController(alert, true);
        if (alert->presentingViewController()) return;
    }
    if (attemptsLeft <= 1) return;
    DispatchQueue::main().asyncAfter(retrySeconds, [alert, attemptsLeft] { present(alert, attemptsLeft - 1); });
}

void tell(bool reading, const std::string& reason, const std::filesystem::path& folder) {
    auto state = runState();
    if (state->told) return;
    state->told = true;
    auto alert = UIAlertController::alertControllerWithTitle(
        reading ? NSLocalizedString("dataNotReadTitle", "the saved data could not be read at the start: alert title")
                : NSLocalizedString("dataNotSavedTitle", "a save failed: alert title"),
        SavedDataAlert::message(reading, reason, folder), UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::Default, [](const auto&) {}));
    // Queued behind what is already on its way, such as the privacy prompt at the start, whose
    // place it would otherwise take.
    DispatchQueue::main().async([alert] { present(alert, attempts); });
}

}  // namespace

void SavedDataAlert::startWatching() {
    auto defaults = NSUserDefaults::standardUserDefaults();
    NSNotificationCenter::defaultCenter().addObserverForName(
        NSUserDefaults::didFailToSaveNotification, [](const NSNotification& notification) {
            const auto& info = notification.userInfo;
            if (!info.is_object() || !info.value("file", nlohmann::json()).is_string()) return;
            std::filesystem::path file = info["file"].get<std::string>();
            tell(false, info.value("reason", std::string()), file.parent_path());
        });
    if (auto problem = defaults->fileProblem())
        tell(problem->reading, problem->reason, defaults->filePath().parent_path());
}

std::string SavedDataAlert::message(bool reading, const std::string& reason, const std::filesystem::path& folder) {
    std::string text = reading ? NSLocalizedString("dataNotReadText", "the saved data could not be read at the start: what it means")
                               : NSLocalizedString("dataNotSavedText", "a save failed: what it means");
    return text + "\n\n" + NSLocalizedString("dataReason", "label before the system's reason of a data failure") + " " + reason +
           "\n" + NSLocalizedString("dataFolder", "label before the data folder's path") + " " + folder.string();
}
