#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/charts/ChartData.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"
#include "Radixel/screens/root/AdHandlingViewController.hpp"
#include "platform/material/Button.hpp"
#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UITableView.hpp"

// The second page of the page tabs: the steps of the last calculation, one row each (title and
// a formula that scrolls sideways), then any chart rows, then one row of tutorial videos when
// the remote configuration has links for this calculator. The share button renders the whole
// table into one tall picture and offers it in the share sheet.
//
// Sharing shows a note on image quality at once and captures the table behind a busy overlay;
// chart rows wait two seconds each, during which the note can be answered. The share sheet
// comes exactly once, when both the note is answered and the picture is ready, whichever is
// last. A table that gives no picture shows no sheet; overlay and screenshot flag are reset
// whatever happens, even when the page goes away meanwhile.
//
// Until the first hand-over from the calculate page, and after Clear, the page is an empty
// table with a hidden share button and a disabled tab item.
class SolutionViewController : public AdHandlingViewController,
                               public UITableViewDataSource,
                               public UITableViewDelegate {
public:
    static constexpr const char* storyboardName = "SolutionViewController";
    static constexpr const char* sceneIdentifier = "SolutionViewController";
    static constexpr const char* clearNotificationName = "ClearCurrentCalculationNotification";

    SolutionViewController();
    explicit SolutionViewController(const NSCoder& coder);
    ~SolutionViewController() override;

    std::shared_ptr<UITableView> tableView;
    std::shared_ptr<Material::FABButton> shareButton;
    std::weak_ptr<Material::FABButton> manualButton;
    std::weak_ptr<UIView> bannerBackgroundView;
    std::shared_ptr<NSLayoutConstraint> bottomBannerConstraint;
    std::optional<std::map<int64_t, CGFloat>> configuredRowHeight;
    std::optional<std::string> manualImageName;
    std::vector<SolutionStep> solutionSteps;
    std::vector<std::vector<std::shared_ptr<ChartData>>> chartSteps;
    std::vector<std::string> videoUrlStrings;

    // UIViewController
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // Actions
    void tappedShareButton(const std::shared_ptr<UIControl>& sender);
    void manualButtonPressed(const std::shared_ptr<UIControl>& sender);
    void handleClearAllButton();

    void share();
    void showManual();
    void clearSolution();
    // Offers the captured pictures; nothing when there are none.
    static void presentShareSheet(const std::vector<std::shared_ptr<UIImage>>& images, UIViewController& screen);

    // UITableViewDataSource
    int64_t numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int64_t section) override;
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                    const NSIndexPath& indexPath) override;

    // UITableViewDelegate
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                            const NSIndexPath& indexPath) override;
    void tableViewWillDisplayCell(const std::shared_ptr<UITableView>& tableView,
                                  const std::shared_ptr<UITableViewCell>& cell, const NSIndexPath& indexPath) override;

private:
    void setupTabItem();
    bool isVideoSection(const std::shared_ptr<UITableView>& tableView, int64_t section);
};
