#include <gtest/gtest.h>

#include "Radixel/services/ErrorManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/uikit/UILabel.hpp"

using Texts = std::vector<std::string>;

namespace {

class ErrorManagerTest : public ShownScreenTest {
protected:
    Texts toasts() const {
        Texts texts;
        for (const auto& view : screen.controller->view()->subviews())
            if (auto label = std::dynamic_pointer_cast<UILabel>(view)) texts.push_back(label->text().value_or(""));
        return texts;
    }

    static std::string text(const std::string& key) { return NSLocalizedString(key, key); }

    std::shared_ptr<DTTextField> p = std::make_shared<DTTextField>(), q = std::make_shared<DTTextField>();
};

}  // namespace

TEST_F(ErrorManagerTest, MissingInputIsOrangeAndEveryOtherErrorRed) {
    ErrorManager::shared().handleError("notEnoughInputValues", {q});
    EXPECT_EQ(q->borderColor(), UIColor::orangeColor());
    EXPECT_EQ(toasts(), Texts{text("notEnoughInputValues")});
    for (const std::string key : {"inputParameterError", "inputZeroInDenominator", "somethingUnheardOf"}) {
        ErrorManager::shared().handleError(key, {p, q});
        for (const auto& field : {p, q}) EXPECT_EQ(field->borderColor(), UIColor::redColor()) << key;
        EXPECT_EQ(toasts().back(), text(key));
    }
    Texts cases;
    for (const auto& event : h.analytics().eventsNamed("ketu_got_error"))
        cases.push_back(event.parameters.at("error_case"));
    EXPECT_EQ(cases, (Texts{"notEnoughInputValues", "inputParameterError", "inputZeroInDenominator",
                            "somethingUnheardOf"}));
}

TEST_F(ErrorManagerTest, ArgumentsFillTheirPlaceholdersAndAWrongCountShowsNothing) {
    for (const char* key : {"mustBeGreatherThanX§0", "mustBeLessThanX§12.5", "mustBeBiggerThanXAndLessThanY§1§9",
                            "§mustBeGreatherThanX§§-3"})
        ErrorManager::shared().handleError(key, {p});
    std::string between = text("mustBeBiggerThanXAndLessThanY");
    between.replace(between.find("%0"), 2, "1");
    between.replace(between.find("%1"), 2, "9");
    EXPECT_EQ(toasts(), (Texts{"The value must be greater than 0.", "The value must be less than 12.5.", between,
                               "The value must be greater than -3."}));

    for (const char* key :
         {"mustBeGreatherThanX", "mustBeLessThanX§1§2", "mustBeBiggerThanXAndLessThanY§1", "§", ""}) {
        p->setBorderColor(UIColor::blueColor());
        ErrorManager::shared().handleError(key, {p});
        EXPECT_EQ(p->borderColor(), UIColor::redColor());
    }
    EXPECT_EQ(toasts().size(), 4u);
    EXPECT_EQ(h.analytics().eventsNamed("ketu_got_error").size(), 9u);
}

TEST_F(ErrorManagerTest, ContradictionIsAnAlertOnTheWindowsRootWithOneOk) {
    ErrorManager::shared().handleError("oppositionError§ignored", {});
    h.runUntilIdle();
    ASSERT_NE(h.presentedAlert(), nullptr);
    EXPECT_EQ(h.presentedAlert()->presentingViewController(), screen.controller);
    EXPECT_EQ(h.presentedAlert()->title(), LocalizedString::error());
    EXPECT_EQ(h.presentedAlert()->message(), text("oppositionError"));
    EXPECT_EQ(alertButtons(), Texts{"OK"});
    EXPECT_TRUE(toasts().empty());
}
