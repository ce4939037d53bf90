#include "Radixel/screens/solution/SolutionViewController.hpp"

#include "Radixel/charts/views/ChartManager.hpp"
#include "Radixel/charts/views/ChartTableViewCell.hpp"
#include "Radixel/screens/manual/ManualViewController.hpp"
#include "Radixel/screens/solution/ShareEventParameters.hpp"
#include "Radixel/screens/solution/SolutionShareTask.hpp"
#include "Radixel/screens/solution/SolutionStepTableViewCell.hpp"
#include "Radixel/screens/videos/VideoCollectionTableViewCell.hpp"
#include "Radixel/services/CalculatorKey.hpp"
#include "Radixel/services/ColorManager.hpp"
#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "Radixel/services/ViewManager.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "platform/foundation/WeakSelf.hpp"
#include "platform/material/Icon.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/TabBar.hpp"
#include "platform/material/ToolbarController.hpp"
#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UINib.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

// The video row is as high as the window's root view is wide, read once for the process. The
// page asks only when it shows videos, so a window is up by then; the screen stands in if not.
CGFloat videoRowHeight() {
    static auto* cached = new ProcessShared<CGFloat>([] {
        auto window = ViewManager::keyWindow();
        auto root = window ? window->rootViewController() : nullptr;
        CGFloat width = root ? root->view()->frame().size.width : UIScreen::mainScreen().bounds().size.width;
        return std::make_shared<CGFloat>(width);
    });
    return *cached->get();
}

}  // namespace

SolutionViewController::SolutionViewController() { setupTabItem(); }

SolutionViewController::SolutionViewController(const NSCoder& coder) : AdHandlingViewController(coder) {
    setupTabItem();
}

SolutionViewController::~SolutionViewController() { NSNotificationCenter::defaultCenter().removeObserver(this); }

// MARK: - UIViewController

void SolutionViewController::viewDidLoad() {
    AdHandlingViewController::viewDidLoad();
    if (!tableView || !shareButton || !bottomBannerConstraint) {
        uikit::fatalError(
            "SolutionViewController: tableView, shareButton and bottomBannerConstraint must be connected");
    }
    tableView->setDataSource(as<SolutionViewController>());
    tableView->setDelegate(as<SolutionViewController>());
    tableView->registerNib(UINib::nibWithNibName(ChartTableViewCell::nibName, &NSBundle::mainBundle()),
                           ChartTableViewCell::cellIdentifier);
    tableView->registerNib(UINib::nibWithNibName(VideoCollectionTableViewCell::nibName, &NSBundle::mainBundle()),
                           VideoCollectionTableViewCell::cellIdentifier);
    shareButton->setImage(Material::Icon::share());
    setupTabItem();
    NSNotificationCenter::defaultCenter().addObserver(
        this, clearNotificationName,
        weakly(this, [](const std::shared_ptr<SolutionViewController>& self, const NSNotification&) {
            self->handleClearAllButton();
        }));

    auto root = view();
    std::shared_ptr<NSLayoutConstraint> trailing;
    for (const auto& constraint : root->constraints()) {
        if (constraint->secondItem() == tableView && constraint->secondAttribute() == NSLayoutAttribute::Trailing) {
            trailing = constraint;
            break;
        }
    }
    if (!trailing) {
        uikit::fatalError("Der trailing Constraint der tableView wurde nicht gefunden.");
    }
    trailing->setConstant(-50.0);
    root->layoutIfNeeded();
}

void SolutionViewController::viewWillAppear(bool animated) {
    AdHandlingViewController::viewWillAppear(animated);
    auto root = view();
    ColorManager::applyColors(*root);
    if (auto manual = manualButton.lock()) {
        manual->setHidden(!manualImageName || manualImageName->empty());
    }
    shareButton->setHidden(solutionSteps.empty());
    auto item = Material::tabItem(*this);
    item->setEnabled(!solutionSteps.empty());
    item->setTitleColor(solutionSteps.empty() ? ThemeColor::gray() : ThemeColor::lightText());
    videoUrlStrings = RemoteConfigManager::shared().getVideoTutorials(CalculatorKey::quadraticEquation);
    tableView->setTableFooterView(std::make_shared<UIView>(CGRect{0, 0, 0, tableView->frame().size.height * 0.25}));
    tableView->reloadData();
    if (bannerView) {
        bannerView->setHidden(true);
    }
    bottomBannerConstraint->setConstant(bottomSafeAreaInset());
    root->layoutIfNeeded();
    if (auto toolbar = Material::toolbarController(*this)) {
        toolbar->toolbar()->setTitle(NSLocalizedString("Calculate Title", "Toolbar title for calculate view"));
    }
}

// MARK: - Actions

void SolutionViewController::tappedShareButton(const std::shared_ptr<UIControl>& /*sender*/) { share(); }

void SolutionViewController::manualButtonPressed(const std::shared_ptr<UIControl>& /*sender*/) { showManual(); }

void SolutionViewController::handleClearAllButton() { clearSolution(); }

void SolutionViewController::share() {
    DDVAnalytics::logEventWithName("ketu_tapped_share", shareEventParameters(solutionSteps));
    Task<>::run(
        TaskPriority::UserInitiated,
        [page = std::weak_ptr<SolutionViewController>(as<SolutionViewController>())] { return shareSolution(page); });
}

void SolutionViewController::showManual() {
    if (!manualImageName || manualImageName->empty()) {
        return;
    }
    auto manual = std::make_shared<ManualViewController>(ManualViewController::nibName, &NSBundle::mainBundle());
    manual->setModalPresentationStyle(UIModalPresentationStyle::PageSheet);
    manual->imageName = *manualImageName;
    presentViewController(manual, true);
}

void SolutionViewController::clearSolution() {
    if (tableView && tableView->numberOfRowsInSection(0) > 0) {
        tableView->scrollToRowAtIndexPath({0, 0}, UITableViewScrollPosition::Top, false);
    }
    solutionSteps.clear();
    if (tableView) {
        tableView->reloadData();
    }
    chartSteps.clear();
    auto item = Material::tabItem(*this);
    item->setEnabled(false);
    item->setTitleColor(ThemeColor::gray());
    manualImageName.reset();
    if (tableView) {
        tableView->setTableFooterView(nullptr);
        tableView->reloadData();
    }
}

void SolutionViewController::presentShareSheet(const std::vector<std::shared_ptr<UIImage>>& images,
                                               UIViewController& screen) {
    if (images.empty()) {
        return;
    }
    auto sheet = std::make_shared<UIActivityViewController>(std::vector<std::any>(images.begin(), images.end()),
                                                            std::vector<std::any>{});
    if (UIDevice::currentDevice().userInterfaceIdiom() == UIUserInterfaceIdiom::Pad) {
        if (auto popover = sheet->popoverPresentationController()) {
            auto root = screen.view();
            popover->setSourceView(root);
            popover->setSourceRect({0, root->frame().size.height, root->frame().size.width, 50.0});
        }
    }
    screen.presentViewController(sheet, true);
}

// MARK: - UITableViewDataSource

int64_t SolutionViewController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>& /*tableView*/) {
    return 1 + (chartSteps.empty() ? 0 : 1) + (!solutionSteps.empty() && !videoUrlStrings.empty() ? 1 : 0);
}

int64_t SolutionViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& table,
                                                               int64_t section) {
    if (section == 0) {
        return static_cast<int64_t>(solutionSteps.size());
    }
    if (isVideoSection(table, section)) {
        return 1;
    }
    return static_cast<int64_t>(chartSteps.size());
}

std::shared_ptr<UITableViewCell> SolutionViewController::tableViewCellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath) {
    if (indexPath.section == 0) {
        auto cell = table->dequeue<SolutionStepTableViewCell>(indexPath);
        const SolutionStep& step = solutionSteps.at(static_cast<size_t>(indexPath.row));
        auto title = step.find("title");
        cell->setStepTitle(title == step.end() ? std::string() : title->second);
        cell->configure(step);
        return cell;
    }
    if (isVideoSection(table, indexPath.section)) {
        auto cell = table->dequeue<VideoCollectionTableViewCell>(indexPath);
        cell->videoUrlStringArray = videoUrlStrings;
        if (auto collection = cell->videoCollectionView.lock()) {
            collection->reloadData();
        }
        return cell;
    }
    auto cell = table->dequeue<ChartTableViewCell>(indexPath);
    cell->setBackgroundColor(UIColor::clearColor());
    cell->setupChart(chartSteps.at(static_cast<size_t>(indexPath.row)), view());
    return cell;
}

// MARK: - UITableViewDelegate

std::optional<CGFloat> SolutionViewController::tableViewHeightForRowAtIndexPath(
    const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath) {
    if (indexPath.section == 0 && configuredRowHeight) {
        if (auto height = configuredRowHeight->find(indexPath.row); height != configuredRowHeight->end()) {
            return height->second;
        }
    }
    if (isVideoSection(table, indexPath.section)) {
        return videoRowHeight();
    }
    if (indexPath.section != 1 || indexPath.row >= static_cast<int64_t>(chartSteps.size())) {
        return table->rowHeight();
    }
    const auto& row = chartSteps[static_cast<size_t>(indexPath.row)];
    if (row.empty() || !row.front() || !(row.front()->frameRatio > 0)) {
        return table->rowHeight();
    }
    return view()->frame().size.width / row.front()->frameRatio;
}

void SolutionViewController::tableViewWillDisplayCell(const std::shared_ptr<UITableView>& /*tableView*/,
                                                      const std::shared_ptr<UITableViewCell>& cell,
                                                      const NSIndexPath& indexPath) {
    auto chartCell = std::dynamic_pointer_cast<ChartTableViewCell>(cell);
    if (!chartCell || indexPath.section != 1 || chartSteps.empty()) {
        return;
    }
    DispatchQueue::main().asyncAfter(0.5, [chartCell] { ChartManager::refreshChart(chartCell); });
}

// MARK: - Private

void SolutionViewController::setupTabItem() {
    setupPageTabItem(*this, NSLocalizedString("Result", "Pagebar title for result view"), !solutionSteps.empty());
}

// The video row is the last section, and only there while steps are shown: a chart section
// never takes its place.
bool SolutionViewController::isVideoSection(const std::shared_ptr<UITableView>& table, int64_t section) {
    return section > 0 && !solutionSteps.empty() && !videoUrlStrings.empty() &&
           section == numberOfSectionsInTableView(table) - 1;
}
