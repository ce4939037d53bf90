#include <gtest/gtest.h>

#include "platform/dttextfield/DTTextField.hpp"
#include "platform/uikit/UIView.hpp"

TEST(DTTextField, IsATextFieldFoundByTagWhoseOwnBottomLayerDrawsTheBorderAndError)
{
    auto root = std::make_shared<UIView>();
    auto field = std::make_shared<DTTextField>(CGRect{0, 0, 200, 40});
    field->setTag(11);
    root->addSubview(field);
    auto found = root->viewWithTag(11);
    const UIView& foundView = *found;
    EXPECT_TRUE(typeid(foundView) == typeid(DTTextField));
    EXPECT_TRUE(std::dynamic_pointer_cast<UITextField>(found));

    field->setBorderColor(UIColor::orangeColor());
    ASSERT_FALSE(field->layer()->sublayers().empty());
    EXPECT_EQ(field->layer()->sublayers()[0], field->dtLayer());
    EXPECT_EQ(field->dtLayer()->borderColor(), UIColor::orangeColor().cgColor());
    field->setFloatPlaceholderFont(UIFont::fontWithName("HelveticaNeue", 10));
    field->setFloatPlaceholderFont(UIFont::fontWithName("Avenier", 14)); // no such font: the old one stays
    EXPECT_EQ(field->floatPlaceholderFont().fontName(), "HelveticaNeue");

    EXPECT_EQ(field->text(), "");
    field->setText(std::nullopt);
    EXPECT_TRUE(field->hasText()); // "" is a text: a key typed into an empty field goes in
    field->showError("bad");
    EXPECT_TRUE(field->isShowingError());
    field->tap();
    EXPECT_FALSE(field->isShowingError()); // editing hides the error
    field->resignFirstResponder();
}
