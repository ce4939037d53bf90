#include <gtest/gtest.h>

#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/DsgvoManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "platform/foundation/NSBundle.hpp"

using Texts = std::vector<std::string>;

namespace {

std::string text(const std::string& key) { return NSLocalizedString(key, key); }

class DsgvoManagerTest : public ShownScreenTest {
protected:
    std::function<void()> noting(const std::string& name, const DefaultsKey<bool>& answer) {
        return [this, name, &answer] { calls.push_back(name + (answer.get() ? " saw true" : " saw false")); };
    }

    Texts calls;
};

}  // namespace

TEST_F(DsgvoManagerTest, PrivacyPolicyIsAcceptedForGoodWithOneButtonBeforeTheCompletionRuns) {
    // Asked from another thread; the alert comes on the main queue.
    std::thread([this] {
        DsgvoManager::showPrivacyPolicyAlert(screen.controller, noting("completion", DefaultsKeys::isDsgvoAccepted));
    }).join();
    EXPECT_EQ(h.presentedAlert(), nullptr);
    h.runUntilIdle();
    ASSERT_NE(h.presentedAlert(), nullptr);
    EXPECT_EQ(h.presentedAlert()->title(), text("dsgvoTitle"));
    EXPECT_EQ(h.presentedAlert()->message(), text("dsgvoText"));
    EXPECT_EQ(alertButtons(), Texts{text("dsgvoAccept")});
    EXPECT_FALSE(DefaultsKeys::isDsgvoAccepted.hasValue());

    EXPECT_TRUE(h.tapAlertAction(text("dsgvoAccept")));
    EXPECT_EQ(calls, Texts{"completion saw true"});
    h.simulateRestart();
    EXPECT_TRUE(DefaultsKeys::isDsgvoAccepted.get());
}

TEST_F(DsgvoManagerTest, VideoTermsAnswersReplaceEachOtherAndCallOnlyTheirCompletion) {
    auto accepted = noting("accept", DefaultsKeys::isYoutubeDsgvoAccepted);
    auto declined = noting("decline", DefaultsKeys::isYoutubeDsgvoAccepted);
    DsgvoManager::showYoutubePrivacyAlert(screen.controller, accepted, declined);
    h.runUntilIdle();
    EXPECT_EQ(h.presentedAlert()->title(), text("dsgvoYoutubeTitle"));
    EXPECT_EQ(h.presentedAlert()->message(), text("dsgvoYoutubeText"));
    EXPECT_EQ(alertButtons(), (Texts{text("dsgvoAccept"), text("dsgvoDecline")}));
    EXPECT_FALSE(DefaultsKeys::isYoutubeDsgvoAccepted.hasValue());  // asked, not yet answered
    h.tapAlertAction(text("dsgvoAccept"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.get());

    DsgvoManager::showYoutubePrivacyAlert(screen.controller, accepted, declined);
    h.runUntilIdle();
    h.tapAlertAction(text("dsgvoDecline"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.hasValue());
    EXPECT_FALSE(DefaultsKeys::isYoutubeDsgvoAccepted.get());
    EXPECT_EQ(calls, (Texts{"accept saw true", "decline saw false"}));

    DsgvoManager::showYoutubePrivacyAlert(screen.controller);
    h.runUntilIdle();
    h.tapAlertAction(text("dsgvoAccept"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.get());
    EXPECT_EQ(calls.size(), 2u);
}
