#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/services/AppMetaData.hpp"
#include "platform/uikit/UITableViewController.hpp"

class NSBundle;

// The drawer's menu: the application's places (calculate, history, introduction, privacy
// policy), two contact rows (the community chat and rating this app) and the product family's
// other apps in two groups, "All in one:" and "Other apps:".
//
// Non-obvious cases: the app groups show only when both lists have apps. The lists follow the
// remote configuration: they are read again when it posts "didLoadMenu" (often from the fetch's
// thread, so the work moves to the main queue), when the application becomes active, and when
// the menu appears, since a closed drawer hears nothing. "Calculate" builds new pages rather
// than going back to the running ones; outside a drawer it and "History" only log their events.
// The contact rows need the network and say so when it cannot be reached.
class LeftViewController : public UITableViewController {
public:
    static constexpr const char* storyboardName = "Main";
    static constexpr const char* sceneIdentifier = "LeftViewController";
    static constexpr const char* cellIdentifier = "cell";
    // The community's chat: the invite link of the application's own server.
    static constexpr const char* discordInviteLink = "https://discord.gg/radixel";

    explicit LeftViewController(UITableViewStyle style = UITableViewStyle::Plain);
    LeftViewController(std::optional<std::string> nibName, const NSBundle* bundle);
    explicit LeftViewController(const NSCoder& coder);
    ~LeftViewController() override;

    int64_t numberOfSections = 1;
    std::vector<std::string> mainSectionRows;
    std::vector<std::string> contactSectionRows;
    std::vector<AppMetaData> multiApps;
    std::vector<AppMetaData> singleApps;

    // UIViewController
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Safe from any thread: the lists are replaced on the main thread.
    void didUpdateMenu();

    // UITableViewDataSource
    int64_t numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int64_t section) override;
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                    const NSIndexPath& indexPath) override;

    // UITableViewDelegate
    std::shared_ptr<UIView> tableViewViewForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                            int64_t section) override;
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                          const NSIndexPath& indexPath) override;

private:
    void setInitialState();
    // The apps of an app section; none for the other sections.
    const std::vector<AppMetaData>* appsOfSection(int64_t section) const;
    void runMainAction(int64_t row);
    void runContactAction(int64_t row);
    void presentIntroduction();
    void openApp(const AppMetaData& app);
};
