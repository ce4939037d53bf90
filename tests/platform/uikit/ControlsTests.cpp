#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/uikit/NSAttributedString.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UIStackView.hpp"

namespace {

class Keypad : public UIResponder {
public:
    std::vector<std::string> inserted;
    int cleared = 0;
    void tappedKeypadButtonWithValue(const std::shared_ptr<UIButton>& sender)
    {
        inserted.push_back(sender ? sender->titleLabel()->text().value_or("") : "<no button>");
    }
    void handleClearAllButton() { ++cleared; }
};

} // namespace

TEST(UIControl, TargetActionPassesTheSenderAndSkipsReleasedTargets)
{
    auto keypad = std::make_shared<Keypad>();
    auto key = std::make_shared<UIButton>();
    key->setTitle("7", UIControlStateNormal);
    key->addTarget(keypad, &Keypad::tappedKeypadButtonWithValue, UIControlEventTouchUpInside);
    key->addTarget(keypad, &Keypad::handleClearAllButton, UIControlEventTouchDown);
    key->tap();
    EXPECT_EQ(keypad->inserted, (std::vector<std::string>{"7"}));
    EXPECT_EQ(keypad->cleared, 1);

    key->setEnabled(false);
    key->tap();
    key->setEnabled(true);
    key->setHidden(true);
    key->tap();
    EXPECT_EQ(keypad->inserted.size(), 1u);

    // Targets are not owned: a released target is simply skipped.
    key->setHidden(false);
    std::weak_ptr<Keypad> weak = keypad;
    keypad.reset();
    EXPECT_TRUE(weak.expired());
    key->tap();
}

TEST(UIButton, StatesFallBackToNormalAndTheLabelFollowsTheState)
{
    auto button = std::make_shared<UIButton>();
    button->setTitle("Send", UIControlStateNormal);
    button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    button->setTitleColor(UIColor::grayColor(), UIControlStateDisabled);
    EXPECT_EQ(button->titleForState(UIControlStateDisabled), "Send");
    EXPECT_EQ(button->titleLabel()->text(), "Send");
    button->setEnabled(false);
    EXPECT_EQ(button->titleLabel()->textColor(), UIColor::grayColor());
    button->setTitle(std::nullopt, UIControlStateNormal);
    EXPECT_FALSE(button->titleLabel()->text().has_value());

    auto lock = UIImage::systemImageNamed("lock.fill");
    button->setImage(lock, UIControlStateNormal);
    EXPECT_EQ(button->imageView()->image(), lock);
}

TEST(UILabel, PlainAndAttributedTextAreOneContentAndNoFontMeansTheDefault)
{
    UILabel label;
    label.setFont(UIFont::fontWithName("Avenir-Book", 14));
    EXPECT_EQ(label.font().fontName(), "Avenir-Book");
    label.setFont(UIFont::fontWithName("Avenier", 14));
    EXPECT_EQ(label.font(), UIFont::systemFontOfSize(17));

    NSAttributedString bold("Step 1", {UIFont::fontWithName("Avenir-Heavy", 14), std::nullopt});
    bold.append(NSAttributedString(" and more"));
    label.setAttributedText(bold);
    EXPECT_EQ(label.text(), "Step 1 and more");
    EXPECT_EQ(label.attributedText()->attributesAtIndex(0).font->fontName(), "Avenir-Heavy");
    EXPECT_FALSE(label.attributedText()->attributesAtIndex(8).font.has_value());
    label.setText(std::nullopt);
    EXPECT_FALSE(label.attributedText().has_value());
}

TEST(UIScrollView, OffsetsAreExactAndNeverPastTheContent)
{
    auto scroll = std::make_shared<UIScrollView>(CGRect{0, 0, 100, 100});
    scroll->setContentSize({100, 1000});
    scroll->setContentOffset({0, 123.25}, false);
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 123.25}));
    scroll->scrollRectToVisible({0, 950, 100, 50}, false);
    EXPECT_EQ(scroll->contentOffset().y, 900);
    scroll->scrollRectToVisible({0, 2000, 10, 10}, false);
    EXPECT_EQ(scroll->contentOffset().y, 900);
}

TEST(UIStackView, ArrangedViewsShareTheLengthAndHiddenOnesGiveTheirsUp)
{
    auto stack = std::make_shared<UIStackView>(CGRect{0, 0, 320, 50});
    stack->setSpacing(10);
    std::vector<std::shared_ptr<UIView>> keys;
    for (int i = 0; i < 3; ++i) {
        keys.push_back(std::make_shared<UIView>());
        stack->addArrangedSubview(keys.back());
    }
    stack->layoutIfNeeded();
    EXPECT_EQ(keys[1]->frame(), (CGRect{110, 0, 100, 50}));
    keys[1]->setHidden(true);
    stack->setNeedsLayout();
    stack->layoutIfNeeded();
    EXPECT_EQ(keys[2]->frame(), (CGRect{165, 0, 155, 50}));
    keys[0]->removeFromSuperview();
    EXPECT_EQ(stack->arrangedSubviews().size(), 2u);
}

TEST(UIActivityIndicatorView, HiddenWhileStopped)
{
    UIActivityIndicatorView spinner(UIActivityIndicatorViewStyle::Large);
    EXPECT_TRUE(spinner.isHidden());
    spinner.startAnimating();
    EXPECT_FALSE(spinner.isHidden());
    spinner.stopAnimating();
    EXPECT_TRUE(spinner.isHidden());
}
