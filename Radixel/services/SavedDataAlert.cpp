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
    bool toldFailure = false;
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

// What the alert says of each problem, in the app's language; the label goes before the detail.
struct AlertTexts {
    std::string title, text, label;
};

AlertTexts textsFor(SavedDataAlert::Problem problem) {
    std::string reason = NSLocalizedString("dataReason", "label before the system's reason of a data failure");
    switch (problem) {
        case SavedDataAlert::Problem::NotRead:
            return {
                NSLocalizedString("dataNotReadTitle", "the saved data could not be read at the start: alert title"),
                NSLocalizedString("dataNotReadText", "the saved data could not be read at the start: what it means"),
                reason};
        case SavedDataAlert::Problem::Damaged:
            return {NSLocalizedString("dataDamagedTitle", "the saved data was damaged and set aside: alert title"),
                    NSLocalizedString("dataDamagedText", "the saved data was damaged and set aside: what it means"),
                    NSLocalizedString("dataKeptAs", "label before the name the damaged file was kept under")};
        case SavedDataAlert::Problem::NotSaved: break;
    }
    return {NSLocalizedString("dataNotSavedTitle", "a save failed: alert title"),
            NSLocalizedString("dataNotSavedText", "a save failed: what it means"), reason};
}

void tell(SavedDataAlert::Problem problem, const std::string& detail, const std::filesystem::path& folder) {
    // Damaged data is found only at the start, so it cannot be told twice; a failure may recur.
    auto state = runState();
    if (problem != SavedDataAlert::Problem::Damaged) {
        if (state->toldFailure) return;
        state->toldFailure = true;
    }
    auto alert = UIAlertController::alertControllerWithTitle(
        textsFor(problem).title, SavedDataAlert::message(problem, detail, folder), UIAlertControllerStyle::Alert);
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
            tell(Problem::NotSaved, info.value("reason", std::string()), file.parent_path());
        });
    std::filesystem::path folder = defaults->filePath().parent_path();
    if (auto problem = defaults->fileProblem())
        tell(problem->reading ? Problem::NotRead : Problem::NotSaved, problem->reason, folder);
    else if (auto aside = defaults->damagedFileSetAside())
        tell(Problem::Damaged, aside->filename().string(), folder);
}

std::string SavedDataAlert::message(Problem problem, const std::string& detail, const std::filesystem::path& folder) {
    AlertTexts texts = textsFor(problem);
    return texts.text + "\n\n" + texts.label + " " + detail + "\n" +
           NSLocalizedString("dataFolder", "label before the data folder's path") + " " + folder.string();
}
