#include <gtest/gtest.h>

#include "platform/cosmos/CosmosView.hpp"

TEST(CosmosView, SettingsAreAValueChangedAndSetBackWhole)
{
    auto stars = std::make_shared<CosmosView>();
    auto settings = stars->settings();
    settings.filledColor = UIColor::colorWithRed(0.07, 0, 0.37, 1);
    EXPECT_FALSE(stars->settings().filledColor == settings.filledColor);
    stars->setSettings(settings);
    EXPECT_EQ(stars->settings().filledColor, settings.filledColor);

    stars->setRating(4.0);
    ASSERT_EQ(stars->layer()->sublayers().size(), 5u);
    auto fourth = std::dynamic_pointer_cast<CAShapeLayer>(stars->layer()->sublayers()[3]);
    auto fifth = std::dynamic_pointer_cast<CAShapeLayer>(stars->layer()->sublayers()[4]);
    ASSERT_TRUE(fourth && fifth);
    EXPECT_EQ(fourth->fillColor(), settings.filledColor.cgColor());
    EXPECT_EQ(fifth->fillColor(), settings.emptyColor.cgColor());
}

TEST(CosmosView, TouchesRoundToWholeStarsAndReport)
{
    auto stars = std::make_shared<CosmosView>();
    double finished = -1;
    stars->didFinishTouchingCosmos = [&](double r) { finished = r; };
    stars->userDidTouchRating(3.2);
    EXPECT_EQ(stars->rating(), 4.0);
    EXPECT_EQ(finished, 4.0);
    stars->userDidTouchRating(0.1);
    EXPECT_EQ(stars->rating(), 1.0); // the minimum touch rating
    stars->setRating(3.5);
    EXPECT_EQ(stars->rating(), 3.5);
    stars->setRating(std::nan(""));
    EXPECT_EQ(stars->rating(), 0.0);
}
