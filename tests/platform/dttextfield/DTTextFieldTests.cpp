#include <gtest/gtest.h>

#include "platform/dttextfield/DTTextField.hpp"

TEST(DTTextField, ItsOwnBottomLayerDrawsTheBorderAndEditingHidesTheError)
{
    auto field = std::make_shared<DTTextField>(CGRect{0, 0, 200, 40});
    field->setBorderColor(UIColor::orangeColor());
    ASSERT_FALSE(field->layer()->sublayers().empty());
    EXPECT_EQ(field->layer()->sublayers()[0], field->dtLayer());
    EXPECT_EQ(field->dtLayer()->borderColor(), UIColor::orangeColor().cgColor());
    field->setFrame({10, 10, 300, 50}); // the border follows the field's size
    field->layoutIfNeeded();
    EXPECT_EQ(field->dtLayer()->frame(), (CGRect{0, 0, 300, 50}));
    field->setFloatPlaceholderFont(UIFont::fontWithName("HelveticaNeue", 10));
    field->setFloatPlaceholderFont(UIFont::fontWithName("Avenier", 14)); // no such font: the old one stays
    EXPECT_EQ(field->floatPlaceholderFont().fontName(), "HelveticaNeue");

    field->showError("bad");
    EXPECT_TRUE(field->isShowingError());
    field->tap();
    EXPECT_FALSE(field->isShowingError());
    field->resignFirstResponder();
}
