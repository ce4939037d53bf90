#pragma once

#include <functional>
#include <memory>

#include "platform/foundation/DefaultsKey.hpp"

class UIViewController;

// Asks for the two privacy consents and keeps the answers in the user defaults: the
// application's privacy policy ("isDsgvoAccepted", which can only be accepted; the alert comes
// back at every start until it is) and the video player's privacy terms
// ("isYoutubeDsgvoAccepted", accepted or declined, asked again whenever a screen wants).
//
// The texts are looked up under "dsgvoTitle" and "dsgvoText" for the privacy policy, and under
// "dsgvoYoutubeTitle", "dsgvoYoutubeText", "dsgvoAccept" and "dsgvoDecline".
//
// An answer is stored before its completion runs, so a completion that reads the key sees it.
class DsgvoManager {
public:
    using Completion = std::function<void()>;

    DsgvoManager() = delete;

    // Safe from any thread: the presenter is kept until the alert is built on the main queue.
    static void showPrivacyPolicyAlert(std::shared_ptr<UIViewController> presenter, Completion completion = {});
    static void showYoutubePrivacyAlert(std::shared_ptr<UIViewController> presenter, Completion acceptCompletion = {},
                                        Completion declineCompletion = {});

    static void showPrivacyPolicyAlertNow(const std::shared_ptr<UIViewController>& presenter, Completion completion);
    static void showYoutubePrivacyAlertNow(const std::shared_ptr<UIViewController>& presenter,
                                           Completion acceptCompletion, Completion declineCompletion);

    static void saveConsent(bool consent, const DefaultsKey<bool>& key, const Completion& completion);
};
