#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Radixel/services/ErrorManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/uikit/UILabel.hpp"

using testing::HasSubstr;
using uikit::testing::Harness;

namespace {

class ErrorManagerTest : public ::testing::Test {
protected:
    // What the user sees: the toasts' texts on the screen, and the alert's title and message.
    std::vector<std::string> toasts() const {
        std::vector<std::string> texts;
        for (const auto& view : screen.controller->view()->subviews())
            if (auto label = std::dynamic_pointer_cast<UILabel>(view)) texts.push_back(label->text().value_or(""));
        return texts;
    }

    // Reports the error and answers the console output.
    std::string handle(const std::string& key, const std::vector<std::shared_ptr<DTTextField>>& fields) {
        testing::internal::CaptureStdout();
        ErrorManager::shared().handleError(key, fields);
        return testing::internal::GetCapturedStdout();
    }

    static std::string text(const std::string& key) { return NSLocalizedString(key, key); }

    Harness h;
    ShownScreen screen{h};
    std::shared_ptr<DTTextField> p = std::make_shared<DTTextField>();
    std::shared_ptr<DTTextField> q = std::make_shared<DTTextField>();
};

}  // namespace

TEST_F(ErrorManagerTest, MissingInputIsOrangeAndEveryOtherErrorRed) {
    EXPECT_THAT(handle("notEnoughInputValues", {q}), HasSubstr("INPUT: NOT ENOUGH INPUT VALUES\n"));
    EXPECT_EQ(q->borderColor(), UIColor::orangeColor());
    EXPECT_EQ(toasts(), (std::vector<std::string>{text("notEnoughInputValues")}));

    for (const std::string key : {"inputParameterError", "inputZeroInDenominator", "somethingUnheardOf"}) {
        EXPECT_THAT(handle(key, {p, q}), HasSubstr("INPUT ERROR: " + key + "\n"));
        EXPECT_EQ(p->borderColor(), UIColor::redColor()) << key;
        EXPECT_EQ(q->borderColor(), UIColor::redColor()) << key;
        EXPECT_EQ(toasts().back(), text(key));
    }
    // A key without a text shows the key itself.
    EXPECT_EQ(toasts().back(), "somethingUnheardOf");

    std::vector<std::string> cases;
    for (const auto& event : h.analytics().eventsNamed("ketu_got_error"))
        cases.push_back(event.parameters.at("error_case"));
    EXPECT_EQ(cases, (std::vector<std::string>{"notEnoughInputValues", "inputParameterError",
                                               "inputZeroInDenominator", "somethingUnheardOf"}));
}

TEST_F(ErrorManagerTest, ArgumentsFillTheirPlaceholdersAndAWrongCountShowsNothing) {
    handle("mustBeGreatherThanX§0", {p});
    handle("mustBeLessThanX§12.5", {p});
    handle("mustBeBiggerThanXAndLessThanY§1§9", {p});
    handle("§mustBeGreatherThanX§§-3", {p});
    std::string expected = text("mustBeBiggerThanXAndLessThanY");
    expected.replace(expected.find("%0"), 2, "1");
    expected.replace(expected.find("%1"), 2, "9");
    EXPECT_EQ(toasts(), (std::vector<std::string>{"The value must be greater than 0.",
                                                  "The value must be less than 12.5.", expected,
                                                  "The value must be greater than -3."}));

    // Nothing shown, but the event, console line and border still happen.
    for (const std::string key : {"mustBeGreatherThanX", "mustBeLessThanX§1§2", "mustBeBiggerThanXAndLessThanY§1",
                                  "§", ""}) {
        p->setBorderColor(UIColor::blueColor());
        EXPECT_THAT(handle(key, {p}), HasSubstr("INPUT ERROR: " + key + "\n"));
        EXPECT_EQ(p->borderColor(), UIColor::redColor());
    }
    EXPECT_EQ(toasts().size(), 4u);
    EXPECT_EQ(h.analytics().eventsNamed("ketu_got_error").size(), 9u);
}

TEST_F(ErrorManagerTest, ContradictionIsAnAlertOnTheWindowsRootWithOneOk) {
    handle("oppositionError§ignored", {});
    h.runUntilIdle();
    ASSERT_NE(h.presentedAlert(), nullptr);
    EXPECT_EQ(h.presentedAlert()->presentingViewController(), screen.controller);
    EXPECT_EQ(h.presentedAlert()->title(), LocalizedString::error());
    EXPECT_EQ(h.presentedAlert()->message(), text("oppositionError"));
    ASSERT_EQ(h.presentedAlert()->actions().size(), 1u);
    EXPECT_TRUE(h.tapAlertAction("OK"));
    EXPECT_TRUE(toasts().empty());
}
