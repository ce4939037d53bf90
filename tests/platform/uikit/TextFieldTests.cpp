#include <gtest/gtest.h>

#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UITextField.hpp"

namespace {

class FieldDelegate : public UITextFieldDelegate {
public:
    bool allowBegin = true;
    std::shared_ptr<UITextField> current;
    int shouldChangeCalls = 0;
    bool textFieldShouldBeginEditing(const std::shared_ptr<UITextField>& field) override
    {
        if (allowBegin) {
            current = field;
        }
        return allowBegin;
    }
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

TEST(UITextField, TappingAsksTheDelegateAndPutsTheCursorAtTheEndUntilTheFieldLeavesTheScreen)
{
    auto root = std::make_shared<UIView>();
    Focused f("123");
    root->addSubview(f.field);
    EXPECT_TRUE(f.field->isFirstResponder());
    EXPECT_EQ(f.delegate->current, f.field);
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
    for (const Case& c : {Case{"123", 2, 2, "5", "1253", 3}, Case{"123", 1, 2, "7", "173", 2}, Case{"1234", 1, 3, "", "14", 1}}) {
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
    EXPECT_EQ(f.field->length(), 3);
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
