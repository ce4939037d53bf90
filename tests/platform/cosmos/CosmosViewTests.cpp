#include <gtest/gtest.h>

#include <cmath>

#include "platform/cosmos/CosmosView.hpp"
#include "platform/uikit/TouchTracker.hpp"

using Cosmos::StarFillMode;

TEST(CosmosView, TheRatingAndSettingsShapeTheStarLayers)
{
    auto stars = std::make_shared<CosmosView>();
    auto settings = stars->settings();
    settings.filledColor = UIColor::colorWithRed(0.07, 0, 0.37, 1);
    settings.fillMode = StarFillMode::half;
    stars->setSettings(settings);
    stars->setRating(2.5);
    const auto& layers = stars->layer()->sublayers();
    ASSERT_EQ(layers.size(), 5u);
    EXPECT_TRUE(layers[1]->sublayers().empty()); // the second star is filled whole
    ASSERT_EQ(layers[2]->sublayers().size(), 1u);
    EXPECT_EQ(layers[2]->sublayers()[0]->frame().size.width, settings.starSize / 2);
    auto second = std::dynamic_pointer_cast<CAShapeLayer>(layers[1]);
    auto third = std::dynamic_pointer_cast<CAShapeLayer>(layers[2]); // under its filled half
    ASSERT_TRUE(second && third);
    EXPECT_EQ(second->fillColor(), settings.filledColor.cgColor());
    EXPECT_EQ(third->fillColor(), settings.emptyColor.cgColor());

    // The full mode shows whole stars only.
    settings.fillMode = StarFillMode::full;
    stars->setSettings(settings);
    EXPECT_TRUE(stars->layer()->sublayers()[2]->sublayers().empty());
    stars->setRating(std::nan(""));
    EXPECT_EQ(stars->rating(), 0.0);
}

namespace {

// A finger on the stars through the window's touch tracking, as the mouse and the harness do.
struct Finger {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 300, 100});
    std::shared_ptr<CosmosView> stars = std::make_shared<CosmosView>(CGRect{10, 10, 125, 20});
    std::vector<double> touched;
    std::vector<double> finished;
    uikit::TouchTracker tracker;

    explicit Finger(StarFillMode mode = StarFillMode::full)
    {
        auto settings = stars->settings(); // stars of 20 with margins of 5
        settings.fillMode = mode;
        stars->setSettings(settings);
        window->addSubview(stars);
        stars->didTouchCosmos = [this](double r) { touched.push_back(r); };
        stars->didFinishTouchingCosmos = [this](double r) { finished.push_back(r); };
    }
    // A finger put down at the first x along the stars, moved through the others and lifted.
    bool drag(std::vector<double> xs)
    {
        auto at = [](double x) { return CGPoint{10 + x, 20}; };
        bool taken = tracker.began(window, at(xs.front()));
        for (size_t i = 1; i < xs.size(); ++i) {
            tracker.moved(at(xs[i]));
        }
        tracker.ended(at(xs.back()));
        return taken;
    }
};

} // namespace

TEST(CosmosViewTouches, ATapOrADragSetsTheStarUnderTheFingerByTheFillModeAndTheMinimum)
{
    struct Tap {
        StarFillMode mode;
        double x;
        double rating;
    };
    // The third star runs from 50 to 70, the margin after it counts as that star; the fourth runs from 75 to 95.
    for (const Tap& tap : {Tap{StarFillMode::full, 55, 3}, Tap{StarFillMode::full, 72, 3}, Tap{StarFillMode::half, 52, 2.5},
                           Tap{StarFillMode::half, 65, 3}, Tap{StarFillMode::precise, 85, 3.5}}) {
        SCOPED_TRACE(tap.x);
        Finger finger(tap.mode);
        EXPECT_TRUE(finger.drag({tap.x}));
        EXPECT_DOUBLE_EQ(finger.stars->rating(), tap.rating);
        EXPECT_EQ(finger.touched, (std::vector<double>{tap.rating}));
    }

    // The minimum holds, and without updates on touch a tap is not taken.
    Finger finger;
    auto settings = finger.stars->settings();
    settings.minTouchRating = 2;
    finger.stars->setSettings(settings);
    finger.drag({3});
    EXPECT_EQ(finger.stars->rating(), 2);
    settings.updateOnTouch = false;
    finger.stars->setSettings(settings);
    finger.finished.clear();
    EXPECT_FALSE(finger.drag({105}));
    EXPECT_EQ(finger.stars->rating(), 2);
    EXPECT_TRUE(finger.finished.empty());

    // A drag sets the rating live: every change once, none for a finger held still, and past the
    // last star it stays full; the end is reported once.
    Finger dragged;
    dragged.drag({5, 8, 30, 55, 55, 80, 105, 140});
    EXPECT_EQ(dragged.stars->rating(), 5);
    EXPECT_EQ(dragged.touched, (std::vector<double>{1, 2, 3, 4, 5}));
    EXPECT_EQ(dragged.finished, (std::vector<double>{5}));
    dragged.drag({105, 30});
    EXPECT_EQ(dragged.stars->rating(), 2);
}
