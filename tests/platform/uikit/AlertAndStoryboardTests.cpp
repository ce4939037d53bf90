#include <gtest/gtest.h>

#include <vector>

#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIStoryboard.hpp"
#include "platform/uikit/UITableViewController.hpp"

TEST(UIAlertController, OnlyOneCancelActionIsKept)
{
    auto alert = UIAlertController::alertControllerWithTitle(std::nullopt, "", UIAlertControllerStyle::Alert);
    testing::internal::CaptureStderr();
    alert->addAction(UIAlertAction::actionWithTitle("A", UIAlertActionStyle::Cancel, nullptr));
    alert->addAction(UIAlertAction::actionWithTitle("B", UIAlertActionStyle::Cancel, nullptr));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(alert->actions().size(), 1u);
}

// What a sheet offers is read by the share sheet's saver, whose tests show it.
TEST(UIActivityViewController, APhoneHasNoPopover)
{
    UIActivityViewController sheet({std::string("text")}, {});
    EXPECT_EQ(sheet.popoverPresentationController(), nullptr);
}

// Scenes made with their outlets, and prototype cells awoken with theirs, are walked end to end
// by the application's own storyboard (the history screen stops the program when an outlet is
// missing).
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
    EXPECT_DEATH(storyboard->instantiateViewControllerWithIdentifier<UITableViewController>("A"), "is a .*Scene, not a UITableViewController");
    auto scene = storyboard->instantiateViewControllerWithIdentifier<Scene>("A");
    EXPECT_EQ(scene->awakenings, 1);
    EXPECT_FALSE(scene->isViewLoaded());
    UIStoryboard::removeAllRegistrations();
}

TEST(UITableViewController, MakesAndFeedsItsOwnTableWithoutKeepingItselfAlive)
{
    auto controller = std::make_shared<UITableViewController>(UITableViewStyle::Grouped);
    auto table = controller->tableView();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->dataSource().get(), static_cast<UITableViewDataSource*>(controller.get()));
    controller->setEditing(true, true);
    EXPECT_TRUE(table->isEditing());
    std::weak_ptr<UITableViewController> weak = controller;
    table.reset();
    controller.reset();
    EXPECT_TRUE(weak.expired());
}
