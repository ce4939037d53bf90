#include <gtest/gtest.h>

#include <thread>

#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/DsgvoManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "platform/foundation/NSBundle.hpp"

using uikit::testing::Harness;

namespace {

std::string text(const std::string& key) { return NSLocalizedString(key, key); }

class DsgvoManagerTest : public ::testing::Test {
protected:
    std::vector<std::string> actionTitles() const {
        std::vector<std::string> titles;
        for (const auto& action : h.presentedAlert()->actions()) titles.push_back(action->title().value_or(""));
        return titles;
    }

    ScratchDefaults defaults;
    Harness h;
    ShownScreen screen{h};
    std::vector<std::string> calls;
};

}  // namespace

TEST_F(DsgvoManagerTest, PrivacyPolicyIsAcceptedForGoodWithOneButtonBeforeTheCompletionRuns) {
    // Asked from another thread; the alert comes on the main queue.
    std::thread([this] {
        DsgvoManager::showPrivacyPolicyAlert(screen.controller, [this] {
            calls.push_back(DefaultsKeys::isDsgvoAccepted.get() ? "completion saw true" : "saw false");
        });
    }).join();
    EXPECT_EQ(h.presentedAlert(), nullptr);
    h.runUntilIdle();
    ASSERT_NE(h.presentedAlert(), nullptr);
    EXPECT_EQ(h.presentedAlert()->title(), text("dsgvoTitle"));
    EXPECT_EQ(h.presentedAlert()->message(), text("dsgvoText"));
    EXPECT_EQ(actionTitles(), (std::vector<std::string>{text("dsgvoAccept")}));
    EXPECT_FALSE(DefaultsKeys::isDsgvoAccepted.hasValue());

    EXPECT_TRUE(h.tapAlertAction(text("dsgvoAccept")));
    EXPECT_EQ(h.presentedAlert(), nullptr);
    EXPECT_EQ(calls, (std::vector<std::string>{"completion saw true"}));

    h.simulateRestart();
    EXPECT_TRUE(DefaultsKeys::isDsgvoAccepted.get());
}

TEST_F(DsgvoManagerTest, VideoTermsAnswersReplaceEachOtherAndCallOnlyTheirCompletion) {
    auto noting = [this](std::string answer) {
        return [this, answer] {
            calls.push_back(answer + (DefaultsKeys::isYoutubeDsgvoAccepted.get() ? " saw true" : " saw false"));
        };
    };
    auto accepted = noting("accept"), declined = noting("decline");

    DsgvoManager::showYoutubePrivacyAlert(screen.controller, accepted, declined);
    h.runUntilIdle();
    EXPECT_EQ(h.presentedAlert()->title(), text("dsgvoYoutubeTitle"));
    EXPECT_EQ(h.presentedAlert()->message(), text("dsgvoYoutubeText"));
    EXPECT_EQ(actionTitles(), (std::vector<std::string>{text("dsgvoAccept"), text("dsgvoDecline")}));
    h.tapAlertAction(text("dsgvoAccept"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.get());

    DsgvoManager::showYoutubePrivacyAlert(screen.controller, accepted, declined);
    h.runUntilIdle();
    h.tapAlertAction(text("dsgvoDecline"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.hasValue());
    EXPECT_FALSE(DefaultsKeys::isYoutubeDsgvoAccepted.get());
    EXPECT_EQ(calls, (std::vector<std::string>{"accept saw true", "decline saw false"}));

    // Without completions an answer is only stored.
    DsgvoManager::showYoutubePrivacyAlert(screen.controller);
    h.runUntilIdle();
    h.tapAlertAction(text("dsgvoAccept"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.get());
    EXPECT_EQ(calls.size(), 2u);
}
