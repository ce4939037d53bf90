#include <gtest/gtest.h>

#include <vector>

#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStoryboard.hpp"
#include "platform/uikit/UITableViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

struct Shown {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    std::shared_ptr<UIViewController> root = std::make_shared<UIViewController>();
    Shown()
    {
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
    }
};

class CalculateViewController : public UIViewController {
public:
    explicit CalculateViewController(const NSCoder& coder) : UIViewController(coder) {}
    std::shared_ptr<UILabel> fillInLabel;
    bool outletSeenInViewDidLoad = false;
    int awakenings = 0;
    void awakeFromNib() override { ++awakenings; }
    void viewDidLoad() override { outletSeenInViewDidLoad = static_cast<bool>(fillInLabel); }
};

} // namespace

TEST(UIAlertController, TappingDismissesFirstThenRunsTheHandler)
{
    Shown s;
    auto alert = UIAlertController::alertControllerWithTitle("Title", std::nullopt, UIAlertControllerStyle::Alert);
    std::vector<std::string> log;
    std::shared_ptr<UIAlertAction> received;
    alert->addAction(UIAlertAction::actionWithTitle("Clear", UIAlertActionStyle::Default, [&](const std::shared_ptr<UIAlertAction>& a) {
        received = a;
        log.push_back(s.root->presentedViewController() ? "handler while shown" : "handler after dismissal");
        auto sheet = std::make_shared<UIViewController>();
        s.root->presentViewController(sheet, true);
        log.push_back(s.root->presentedViewController() == sheet ? "presented from handler" : "refused");
    }));
    alert->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyle::Cancel, nullptr));
    s.root->presentViewController(alert, true);
    RunLoop::main().runUntilIdle();
    EXPECT_FALSE(alert->userDidTapActionWithTitle("Nope"));
    EXPECT_TRUE(alert->userDidTapActionWithTitle("Clear"));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"handler after dismissal", "presented from handler"}));
    EXPECT_EQ(received, alert->actions()[0]);
    s.root->presentedViewController()->dismissViewControllerAnimated(false);
}

TEST(UIAlertController, OnlyOneCancelActionIsKept)
{
    auto alert = UIAlertController::alertControllerWithTitle(std::nullopt, "", UIAlertControllerStyle::Alert);
    testing::internal::CaptureStderr();
    alert->addAction(UIAlertAction::actionWithTitle("A", UIAlertActionStyle::Cancel, nullptr));
    alert->addAction(UIAlertAction::actionWithTitle("B", UIAlertActionStyle::Cancel, nullptr));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(alert->actions().size(), 1u);
}

TEST(UIActivityViewController, ItemsAreReadableAndAPhoneHasNoPopover)
{
    auto image = std::make_shared<UIImage>(CGSize{10, 20}, 3);
    UIActivityViewController sheet({image, std::string("text")}, {});
    EXPECT_EQ(sheet.activityItemsOfType<std::shared_ptr<UIImage>>(), (std::vector<std::shared_ptr<UIImage>>{image}));
    EXPECT_EQ(sheet.popoverPresentationController(), nullptr);
}

namespace {

class HistoryCell : public UITableViewCell {
public:
    explicit HistoryCell(const NSCoder& coder) : UITableViewCell(coder) {}
    std::shared_ptr<UILabel> mathLabel;
    bool outletSeenInAwake = false;
    void awakeFromNib() override { outletSeenInAwake = static_cast<bool>(mathLabel); }
};

class HistoryList : public UITableViewController {
public:
    explicit HistoryList(const NSCoder& coder) : UITableViewController(coder) {}
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int64_t) override { return 2; }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table, const NSIndexPath& ip) override
    {
        return table->dequeueReusableCellWithIdentifier("historyCell", ip);
    }
};

} // namespace

TEST(UIStoryboard, ScenesAndTheirPrototypeCellsHaveTheirOutletsBeforeTheyWakeOrLoad)
{
    UIStoryboard::registerScene("Main", "CalculateViewController", [](const NSCoder& coder) {
        auto controller = std::make_shared<CalculateViewController>(coder);
        controller->setViewBuilder([](UIViewController& owner) {
            auto root = std::make_shared<UIView>();
            static_cast<CalculateViewController&>(owner).fillInLabel = std::make_shared<UILabel>();
            root->addSubview(static_cast<CalculateViewController&>(owner).fillInLabel);
            return root;
        });
        return controller;
    });
    UIStoryboard::registerScene("Main", "HistoryTableViewController", [](const NSCoder& coder) {
        auto controller = std::make_shared<HistoryList>(coder);
        controller->setViewBuilder([](UIViewController&) {
            auto table = std::make_shared<UITableView>(CGRect{0, 0, 390, 600}, UITableViewStyle::Plain);
            table->registerPrototype("historyCell", [] {
                auto cell = std::make_shared<HistoryCell>(NSCoder("Main", "historyCell"));
                cell->mathLabel = std::make_shared<UILabel>();
                cell->contentView()->addSubview(cell->mathLabel);
                return cell;
            });
            return table;
        });
        return controller;
    });
    auto storyboard = UIStoryboard::storyboardWithName("Main", nullptr);
    auto controller = storyboard->instantiateViewControllerWithIdentifier<CalculateViewController>("CalculateViewController");
    EXPECT_EQ(controller->awakenings, 1);
    EXPECT_FALSE(controller->isViewLoaded());
    controller->view();
    EXPECT_TRUE(controller->outletSeenInViewDidLoad);

    auto history = storyboard->instantiateViewControllerWithIdentifier<HistoryList>("HistoryTableViewController");
    auto table = history->tableView();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->dataSource().get(), static_cast<UITableViewDataSource*>(history.get()));
    table->reloadData();
    auto cell = std::dynamic_pointer_cast<HistoryCell>(table->cellForRowAtIndexPath({0, 1}));
    ASSERT_TRUE(cell);
    EXPECT_TRUE(cell->outletSeenInAwake);
    EXPECT_EQ(cell->reuseIdentifier(), "historyCell");
    UIStoryboard::removeAllRegistrations();
}

TEST(UIStoryboardDeathTest, MissingStoryboardsAndScenesAndScenesOfTheWrongClassAreFatal)
{
    EXPECT_DEATH(UIStoryboard::storyboardWithName("Nowhere", nullptr), "Nowhere");
    UIStoryboard::registerScene("Main", "A", [](const NSCoder&) { return std::make_shared<UIViewController>(); });
    auto storyboard = UIStoryboard::storyboardWithName("Main", nullptr);
    EXPECT_DEATH(storyboard->instantiateViewControllerWithIdentifier("B"), "identifier 'B'");
    EXPECT_DEATH(storyboard->instantiateViewControllerWithIdentifier<HistoryList>("A"), "is a UIViewController");
    EXPECT_TRUE(storyboard->instantiateViewControllerWithIdentifier<UIViewController>("A"));
    UIStoryboard::removeAllRegistrations();
}

TEST(UITableViewController, MakesAndFeedsItsOwnTableWithoutKeepingItselfAlive)
{
    auto controller = std::make_shared<UITableViewController>(UITableViewStyle::Grouped);
    auto table = controller->tableView();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->style(), UITableViewStyle::Grouped);
    EXPECT_EQ(table->dataSource().get(), static_cast<UITableViewDataSource*>(controller.get()));
    controller->setEditing(true, true);
    EXPECT_TRUE(table->isEditing());
    std::weak_ptr<UITableViewController> weak = controller;
    table.reset();
    controller.reset();
    EXPECT_TRUE(weak.expired());
}
