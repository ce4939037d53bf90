#include "Radixel/services/DsgvoManager.hpp"

#include <utility>

#include "Radixel/services/DefaultsKeys.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/uikit/UIAlertController.hpp"

void DsgvoManager::showPrivacyPolicyAlert(std::shared_ptr<UIViewController> presenter, Completion completion) {
    DispatchQueue::main().async([presenter = std::move(presenter), completion = std::move(completion)]() mutable {
        showPrivacyPolicyAlertNow(presenter, std::move(completion));
    });
}

void DsgvoManager::showYoutubePrivacyAlert(std::shared_ptr<UIViewController> presenter, Completion acceptCompletion,
                                           Completion declineCompletion) {
    DispatchQueue::main().async([presenter = std::move(presenter), accept = std::move(acceptCompletion),
                                 decline = std::move(declineCompletion)]() mutable {
        showYoutubePrivacyAlertNow(presenter, std::move(accept), std::move(decline));
    });
}

void DsgvoManager::showPrivacyPolicyAlertNow(const std::shared_ptr<UIViewController>& presenter,
                                             Completion completion) {
    if (!presenter) return;
    auto alert = UIAlertController::alertControllerWithTitle(NSLocalizedString("dsgvoTitle", "Privacy Policy"),
                                                             NSLocalizedString("dsgvoText", "dsgvoText"),
                                                             UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle(
        NSLocalizedString("dsgvoAccept", "Accept"), UIAlertActionStyle::Default,
        [completion = std::move(completion)](const std::shared_ptr<UIAlertAction>&) {
            saveConsent(true, DefaultsKeys::isDsgvoAccepted, completion);
        }));
    presenter->presentViewController(alert, true);
}

void DsgvoManager::showYoutubePrivacyAlertNow(const std::shared_ptr<UIViewController>& presenter,
                                              Completion acceptCompletion, Completion declineCompletion) {
    if (!presenter) return;
    auto alert = UIAlertController::alertControllerWithTitle(
        NSLocalizedString("dsgvoYoutubeTitle", "Youtube Privacy Policy"),
        NSLocalizedString("dsgvoYoutubeText", "Youtube Dsgvo Text"), UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle(
        NSLocalizedString("dsgvoAccept", "Accept"), UIAlertActionStyle::Default,
        [accept = std::move(acceptCompletion)](const std::shared_ptr<UIAlertAction>&) {
            saveConsent(true, DefaultsKeys::isYoutubeDsgvoAccepted, accept);
        }));
    alert->addAction(UIAlertAction::actionWithTitle(
        NSLocalizedString("dsgvoDecline", "Decline"), UIAlertActionStyle::Default,
        [decline = std::move(declineCompletion)](const std::shared_ptr<UIAlertAction>&) {
            saveConsent(false, DefaultsKeys::isYoutubeDsgvoAccepted, decline);
        }));
    presenter->presentViewController(alert, true);
}

void DsgvoManager::saveConsent(bool consent, const DefaultsKey<bool>& key, const Completion& completion) {
    key.set(consent);
    if (completion) completion();
}
