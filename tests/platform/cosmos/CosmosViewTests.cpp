#include <gtest/gtest.h>

#include "platform/cosmos/CosmosView.hpp"
#include "platform/uikit/TouchTracker.hpp"

TEST(CosmosView, TheRatingAndSettingsShapeTheStarLayers)
{
    auto stars = std::make_shared<CosmosView>();
    auto settings = stars->settings();
    settings.filledColor = UIColor::colorWithRed(0.07, 0, 0.37, 1);
    settings.fillMode = Cosmos::StarFillMode::half;
    EXPECT_FALSE(stars->settings().filledColor == settings.filledColor); // a copy until set back
    stars->setSettings(settings);
    stars->setRating(2.5);
    EXPECT_EQ(stars->rating(), 2.5);
    const auto& layers = stars->layer()->sublayers();
    ASSERT_EQ(layers.size(), 5u);
    EXPECT_TRUE(layers[1]->sublayers().empty()); // the second star is filled whole
    ASSERT_EQ(layers[2]->sublayers().size(), 1u);
    EXPECT_EQ(layers[2]->sublayers()[0]->frame().size.width, settings.starSize / 2);
    auto second = std::dynamic_pointer_cast<CAShapeLayer>(layers[1]);
    auto fourth = std::dynamic_pointer_cast<CAShapeLayer>(layers[3]);
    ASSERT_TRUE(second && fourth);
    EXPECT_EQ(second->fillColor(), settings.filledColor.cgColor());
    EXPECT_EQ(fourth->fillColor(), settings.emptyColor.cgColor());

    // The full mode shows whole stars only.
    settings.fillMode = Cosmos::StarFillMode::full;
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

    explicit Finger(Cosmos::StarFillMode mode = Cosmos::StarFillMode::full)
    {
        auto settings = stars->settings(); // stars of 20 with margins of 5
        settings.fillMode = mode;
        stars->setSettings(settings);
        window->addSubview(stars);
        stars->didTouchCosmos = [this](double r) { touched.push_back(r); };
        stars->didFinishTouchingCosmos = [this](double r) { finished.push_back(r); };
    }
    // x along the stars.
    CGPoint at(double x) const { return {10 + x, 20}; }
    bool tap(double x)
    {
        bool taken = tracker.began(window, at(x));
        tracker.ended(at(x));
        return taken;
    }
    void drag(std::vector<double> xs)
    {
        tracker.began(window, at(xs.front()));
        for (size_t i = 1; i < xs.size(); ++i) {
            tracker.moved(at(xs[i]));
        }
        tracker.ended(at(xs.back()));
    }
};

} // namespace

TEST(CosmosViewTouches, ATapSetsTheStarUnderTheFingerByTheFillModeAndTheMinimum)
{
    Finger full;
    EXPECT_TRUE(full.tap(55)); // on the third star (50 to 70)
    EXPECT_EQ(full.stars->rating(), 3);
    EXPECT_EQ(full.touched, (std::vector<double>{3}));
    EXPECT_EQ(full.finished, (std::vector<double>{3}));
    full.tap(72); // the margin after the third star counts as that star
    EXPECT_EQ(full.stars->rating(), 3);

    Finger half(Cosmos::StarFillMode::half);
    half.tap(55);
    EXPECT_EQ(half.stars->rating(), 2.5);
    half.tap(65);
    EXPECT_EQ(half.stars->rating(), 3);

    Finger precise(Cosmos::StarFillMode::precise);
    precise.tap(85); // half way through the fourth star (75 to 95)
    EXPECT_DOUBLE_EQ(precise.stars->rating(), 3.5);

    // The minimum holds, and without updates on touch a tap is not taken.
    auto settings = full.stars->settings();
    settings.minTouchRating = 2;
    full.stars->setSettings(settings);
    full.tap(3);
    EXPECT_EQ(full.stars->rating(), 2);
    settings.updateOnTouch = false;
    full.stars->setSettings(settings);
    full.finished.clear();
    EXPECT_FALSE(full.tap(105));
    EXPECT_EQ(full.stars->rating(), 2);
    EXPECT_TRUE(full.finished.empty());
}

TEST(CosmosViewTouches, ADragSetsTheRatingLiveAndReportsTheEndOnce)
{
    Finger finger;
    finger.drag({5, 8, 30, 55, 55, 80, 105, 140});
    EXPECT_EQ(finger.stars->rating(), 5);
    // Every change once, none for a finger held still, and past the last star it stays full.
    EXPECT_EQ(finger.touched, (std::vector<double>{1, 2, 3, 4, 5}));
    EXPECT_EQ(finger.finished, (std::vector<double>{5}));
    // Dragging back lowers it again.
    finger.drag({105, 30});
    EXPECT_EQ(finger.stars->rating(), 2);
}
