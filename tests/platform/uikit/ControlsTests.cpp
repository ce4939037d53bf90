// The controls, text, colours and small controllers the screens are built from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/uikit/NSAttributedString.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UIStoryboard.hpp"
#include "platform/uikit/UITableViewController.hpp"
#include "platform/uikit/UITextField.hpp"

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

class FieldDelegate : public UITextFieldDelegate {
public:
    bool allowBegin = true;
    int shouldChangeCalls = 0;
    bool textFieldShouldBeginEditing(const std::shared_ptr<UITextField>&) override { return allowBegin; }
    bool textFieldShouldChangeCharactersInRange(const std::shared_ptr<UITextField>&, NSRange, const std::string&) override
    {
        ++shouldChangeCalls;
        return true;
    }
};

struct Focused {
    std::shared_ptr<FieldDelegate> delegate = std::make_shared<FieldDelegate>();
    std::shared_ptr<UITextField> field = std::make_shared<UITextField>();
    explicit Focused(const std::string& text)
    {
        field->setDelegate(delegate);
        field->setText(text);
        field->tap();
    }
    ~Focused() { field->resignFirstResponder(); }
    void select(int64_t from, int64_t to) { field->setSelectedTextRange(field->textRangeFromPosition({from}, {to})); }
    int64_t cursor() const { return field->offsetFromPosition(field->beginningOfDocument(), field->selectedTextRange()->start); }
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
    EXPECT_EQ(key->titleLabel()->text(), "7"); // every state falls back to the normal title
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
    key->setTitle(std::nullopt, UIControlStateNormal);
    EXPECT_FALSE(key->titleLabel()->text().has_value());
}

TEST(UILabel, PlainAndAttributedTextAreOneContentAndNoFontMeansTheDefault)
{
    UILabel label;
    label.setFont(UIFont::fontWithName("Avenir-Book", 14));
    label.setFont(UIFont::fontWithName("Avenier", 14));
    EXPECT_EQ(label.font(), UIFont::systemFontOfSize(17));

    NSAttributedString bold("Step 1", {UIFont::fontWithName("Avenir-Heavy", 14), std::nullopt});
    bold.append(NSAttributedString(" and more"));
    label.setAttributedText(bold);
    label.setTextColor(UIColor::redColor()); // restyles each run over its own text
    EXPECT_TRUE(label.text() == "Step 1 and more" && label.attributedText()->string() == "Step 1 and more");
    EXPECT_EQ(label.attributedText()->attributesAtIndex(0).font->fontName(), "Avenir-Heavy");
    EXPECT_FALSE(label.attributedText()->attributesAtIndex(6).font.has_value());
    label.setText(std::nullopt);
    EXPECT_FALSE(label.attributedText().has_value());
}

TEST(UIScrollView, ScrollingToARectStopsAtTheEndOfTheContent)
{
    auto scroll = std::make_shared<UIScrollView>(CGRect{0, 0, 100, 100});
    scroll->setContentSize({100, 1000});
    // Each from where the one before left it: down, past the end, up, already shown, taller than the view.
    for (auto [top, height, offset] : {std::tuple{950.0, 50.0, 900.0}, {2000.0, 10.0, 900.0}, {100.0, 50.0, 100.0}, {150.0, 50.0, 100.0},
                                       {300.0, 500.0, 300.0}}) {
        scroll->scrollRectToVisible({0, top, 100, height}, false);
        EXPECT_EQ(scroll->contentOffset().y, offset) << top;
    }
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

TEST(UIColor, DynamicColoursResolveInTheCurrentInterfaceStyleWhenReadAndEqualOnlyThemselves)
{
    UITraitCollection saved = UITraitCollection::currentTraitCollection();
    auto use = [](UIUserInterfaceStyle style) { UITraitCollection::setCurrentTraitCollection(UITraitCollection(style)); };
    UIColor faded = UIColor::labelColor().colorWithAlphaComponent(0.9);
    use(UIUserInterfaceStyle::Light);
    EXPECT_EQ(UIColor::labelColor().cgColor(), (CGColor{0, 0, 0, 1}));
    EXPECT_EQ(faded.cgColor(), (CGColor{0, 0, 0, 0.9}));
    EXPECT_EQ(UIColor::systemBackgroundColor().cgColor(), (CGColor{1, 1, 1, 1}));
    EXPECT_FALSE(UIColor::labelColor() == UIColor::blackColor());
    EXPECT_FALSE(UIColor::blackColor() == UIColor::colorWithWhite(0, 0.5));
    use(UIUserInterfaceStyle::Dark);
    EXPECT_EQ(UIColor::labelColor().cgColor(), (CGColor{1, 1, 1, 1}));
    EXPECT_EQ(faded.cgColor(), (CGColor{1, 1, 1, 0.9}));
    EXPECT_EQ(UIColor::systemBackgroundColor().cgColor(), (CGColor{0, 0, 0, 1}));
    UIColor wrapped([](const UITraitCollection&) { return UIColor::labelColor(); }); // built on a dynamic colour
    EXPECT_EQ(wrapped.cgColor(), (CGColor{1, 1, 1, 1}));
    use(UIUserInterfaceStyle::Unspecified); // only Dark is dark
    EXPECT_EQ(UIColor::labelColor().cgColor(), (CGColor{0, 0, 0, 1}));
    UITraitCollection::setCurrentTraitCollection(saved);
}

// Colours without components and the hue of greys are the colour manager's own test.
TEST(UIFontAndUIImage, KnownNamesResolveAndUnknownOrUnsafeNamesGiveNone)
{
    // Known names resolve in the label's and the bordered field's tests.
    EXPECT_FALSE(UIFont::fontWithName("", 14).has_value());

    auto locked = UIImage::systemImageNamed("lock.fill");
    ASSERT_TRUE(locked);
    EXPECT_TRUE(locked->isSymbolImage());
    EXPECT_FALSE(UIImage::systemImageNamed("no.such.symbol"));
    ASSERT_TRUE(UIImage::imageNamed("main_onboarding_1")); // only 900 × 900 pixels at three times
    EXPECT_EQ(UIImage::imageNamed("main_onboarding_1")->size(), (CGSize{300, 300}));
    for (const char* name : {"definitely_not_an_asset", "", "../../etc/passwd"}) {
        EXPECT_FALSE(UIImage::imageNamed(name)) << name;
    }
}

TEST(UITextField, TappingAsksTheDelegateAndPutsTheCursorAtTheEndUntilTheFieldLeavesTheScreen)
{
    auto root = std::make_shared<UIView>();
    Focused f("123");
    root->addSubview(f.field);
    EXPECT_TRUE(f.field->isFirstResponder());
    EXPECT_EQ(f.cursor(), 3);

    auto refused = std::make_shared<UITextField>();
    auto no = std::make_shared<FieldDelegate>();
    no->allowBegin = false;
    refused->setDelegate(no);
    refused->tap();
    EXPECT_FALSE(refused->isFirstResponder());
    EXPECT_FALSE(refused->selectedTextRange().has_value());
    // Neither a refused field nor a button takes first-responder status away.
    std::make_shared<UIButton>()->tap();
    EXPECT_TRUE(f.field->isFirstResponder());

    f.field->removeFromSuperview();
    EXPECT_FALSE(f.field->isFirstResponder());
}

// What the keypad does with a key: replace the selection and keep the cursor after it.
TEST(UITextField, KeypadEditingReplacesTheSelectionWithoutAskingTheDelegate)
{
    struct Case {
        const char* text;
        int64_t from, to;
        const char* key;
        const char* expected;
        int64_t cursor;
    };
    for (const Case& c : {Case{"123", 2, 2, "5", "1253", 3}, Case{"123", 1, 2, "7", "173", 2}, Case{"1234", 1, 3, "", "14", 1},
                          Case{"1234", 3, 1, "", "14", 1}}) {
        SCOPED_TRACE(std::string(c.text) + " [" + std::to_string(c.from) + "," + std::to_string(c.to) + ") <- " + c.key);
        Focused f(c.text);
        f.select(c.from, c.to);
        f.field->replaceRange(*f.field->selectedTextRange(), c.key);
        EXPECT_EQ(f.field->text(), c.expected);
        EXPECT_EQ(f.cursor(), c.cursor);
        EXPECT_EQ(f.delegate->shouldChangeCalls, 0);
    }
}

TEST(UITextField, PositionArithmeticStaysInsideTheTextWhichIsNeverAbsent)
{
    Focused f("a\xC3\xA9" "b"); // a, e-acute, b: three characters
    EXPECT_FALSE(f.field->positionFromPosition(f.field->beginningOfDocument(), -1).has_value());
    EXPECT_FALSE(f.field->positionFromPosition(f.field->beginningOfDocument(), 4).has_value());
    EXPECT_EQ(f.field->positionFromPosition({1}, 2)->offset, 3);
    EXPECT_FALSE(f.field->textRangeFromPosition({0}, {9}).has_value());
    EXPECT_EQ(f.field->textInRange({{1}, {2}}), "\xC3\xA9");

    f.select(2, 2);
    f.field->deleteBackward();
    EXPECT_EQ(f.field->text(), "ab");
    EXPECT_EQ(f.delegate->shouldChangeCalls, 1);
    f.select(0, 0);
    f.field->deleteBackward();
    EXPECT_EQ(f.field->text(), "ab");

    // No text is an empty one, so a key typed into an empty field goes in.
    f.field->setText(std::nullopt);
    EXPECT_EQ(f.field->text(), "");
    EXPECT_TRUE(f.field->hasText());
}

// Scenes and prototype cells made with their outlets are walked end to end by the app's storyboard.
TEST(UIStoryboardDeathTest, ScenesWakeOnceWithoutLoadingAndMissingOrMistypedScenesAreFatal)
{
    struct Scene : UIViewController {
        int awakenings = 0;
        void awakeFromNib() override { ++awakenings; }
    };
    EXPECT_DEATH(UIStoryboard::storyboardWithName("Nowhere", nullptr), "Nowhere");
    UIStoryboard::registerScene("Main", "A", [](const NSCoder&) { return std::make_shared<Scene>(); });
    auto storyboard = UIStoryboard::storyboardWithName("Main", nullptr);
    EXPECT_DEATH(storyboard->instantiateViewControllerWithIdentifier("B"), "identifier 'B'");
    EXPECT_DEATH(storyboard->instantiateViewControllerWithIdentifier<UITableViewController>("A"),
                 "is a .*Scene, not a UITableViewController");
    auto scene = storyboard->instantiateViewControllerWithIdentifier<Scene>("A");
    EXPECT_EQ(scene->awakenings, 1);
    EXPECT_FALSE(scene->isViewLoaded());
    UIStoryboard::removeAllRegistrations();
}

TEST(UITableViewController, MakesAndFeedsItsOwnTableWithoutKeepingItselfAlive)
{
    auto controller = std::make_shared<UITableViewController>(UITableViewStyle::Grouped);
    auto table = controller->tableView();
    EXPECT_EQ(table->dataSource().get(), static_cast<UITableViewDataSource*>(controller.get()));
    controller->setEditing(true, true);
    EXPECT_TRUE(table->isEditing());
    std::weak_ptr<UITableViewController> weak = controller;
    table.reset();
    controller.reset();
    EXPECT_TRUE(weak.expired());
}
