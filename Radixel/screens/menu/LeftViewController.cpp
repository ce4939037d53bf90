// The drawer's menu, one table in up to four sections: the application's places, the contact
// rows, the family's "All in one:" apps and its "Other apps:". Section 0 has no header.
//
// Non-obvious cases: an app row launches the app when one of its own links opens and otherwise
// opens its store page; either way "Tapped App Link" says which, with the app's English name.
// A selected row is reloaded before it acts, which clears its highlight. The notifications may
// come from the remote configuration's fetch thread: the observer hands them to the main queue
// holding the menu weakly, and the table always reloads from a block queued there, so it never
// reads a list while it changes.

#include "Radixel/screens/menu/LeftViewController.hpp"

#include "Radixel/screens/history/HistoryTableViewController.hpp"
#include "Radixel/screens/menu/AppLinks.hpp"
#include "Radixel/screens/menu/DrawerNavigation.hpp"
#include "Radixel/services/DsgvoManager.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/OnboardingManager.hpp"
#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSLocale.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/foundation/WeakSelf.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIStoryboard.hpp"

namespace {

using Self = std::shared_ptr<LeftViewController>;

enum Section : int64_t { mainSection = 0, contactSection = 1, multiAppsSection = 2, singleAppsSection = 3 };
enum MainRow : int64_t { calculateRow = 0, historyRow = 1, introductionRow = 2, privacyPolicyRow = 3 };
enum ContactRow : int64_t { discordRow = 0, rateAppRow = 1 };

constexpr CGFloat headerHeight = 30;

// The language of the device's locale, whatever the application's texts are shown in.
std::optional<std::string> localeLanguageCode() {
    std::vector<std::string> languages = NSLocale::preferredLanguages();
    if (languages.empty()) return std::nullopt;
    return languages.front();
}

template <class T>
const T* entry(const std::vector<T>& list, int64_t row) {
    return row >= 0 && row < static_cast<int64_t>(list.size()) ? &list[static_cast<size_t>(row)] : nullptr;
}

std::string englishName(const AppMetaData& app) { return appDisplayName(app, std::nullopt); }

UIFont menuFont(CGFloat size) {
    return UIFont::fontWithName("Avenir-Medium", size).value_or(UIFont::systemFontOfSize(size));
}

}  // namespace

LeftViewController::LeftViewController(UITableViewStyle style) : UITableViewController(style) { setInitialState(); }

LeftViewController::LeftViewController(std::optional<std::string> nibName, const NSBundle* bundle)
    : UITableViewController(std::move(nibName), bundle) {
    setInitialState();
}

LeftViewController::LeftViewController(const NSCoder& coder) : UITableViewController(coder) { setInitialState(); }

LeftViewController::~LeftViewController() { NSNotificationCenter::defaultCenter().removeObserver(this); }

void LeftViewController::setInitialState() {
    numberOfSections = 1;
    mainSectionRows = {
        NSLocalizedString("Calculate Title", "Left Menu: navigate to calculation"),
        NSLocalizedString("History", "Left Menu: navigate to history"),
        NSLocalizedString("introduction", "Left Menu: Introduction"),
        NSLocalizedString("privacyPolicy", "Left Menu: Privacy Policy"),
    };
    contactSectionRows = {
        NSLocalizedString("Discord", "Discord"),
        NSLocalizedString("Rate this App", "Left Menu: Rate this App"),
    };
    multiApps = RemoteConfigManager::shared().multiApps();
    singleApps = RemoteConfigManager::shared().singleApps();
}

// UIViewController

void LeftViewController::viewDidLoad() {
    UITableViewController::viewDidLoad();
    view()->setBackgroundColor(KeTuColor::color2());
    tableView()->setSeparatorStyle(UITableViewCellSeparatorStyle::None);
    tableView()->setContentInset(UIEdgeInsetsZero);
}

void LeftViewController::viewWillAppear(bool animated) {
    UITableViewController::viewWillAppear(animated);
    NSNotificationCenter& center = NSNotificationCenter::defaultCenter();
    center.removeObserver(this);
    // Only a weak pointer crosses threads, so the menu is never released off the main thread.
    std::weak_ptr<LeftViewController> weakSelf = as<LeftViewController>();
    auto update = [weakSelf](const NSNotification&) {
        DispatchQueue::main().async(weakly(weakSelf, [](const Self& self) { self->didUpdateMenu(); }));
    };
    center.addObserver(this, UIApplicationDidBecomeActiveNotification, update);
    center.addObserver(this, "didLoadMenu", update);
    // While the drawer was closed the menu heard nothing; what it shows now must be current.
    didUpdateMenu();
}

void LeftViewController::viewWillDisappear(bool animated) {
    UITableViewController::viewWillDisappear(animated);
    NSNotificationCenter::defaultCenter().removeObserver(this);
}

void LeftViewController::didUpdateMenu() {
    if (!DispatchQueue::main().isCurrent()) {
        DispatchQueue::main().async(weakly(this, [](const Self& self) { self->didUpdateMenu(); }));
        return;
    }
    singleApps = RemoteConfigManager::shared().singleApps();
    multiApps = RemoteConfigManager::shared().multiApps();
    DispatchQueue::main().async(weakly(this, [](const Self& self) {
        if (auto table = std::dynamic_pointer_cast<UITableView>(self->viewIfLoaded())) table->reloadData();
    }));
}

// UITableViewDataSource

int64_t LeftViewController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>& /*tableView*/) {
    numberOfSections = !multiApps.empty() && !singleApps.empty() ? 4 : 2;
    return numberOfSections;
}

int64_t LeftViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& /*tableView*/,
                                                           int64_t section) {
    switch (section) {
        case mainSection: return static_cast<int64_t>(mainSectionRows.size());
        case contactSection: return static_cast<int64_t>(contactSectionRows.size());
        default: {
            const std::vector<AppMetaData>* apps = appsOfSection(section);
            return apps ? static_cast<int64_t>(apps->size()) : 0;
        }
    }
}

std::shared_ptr<UITableViewCell> LeftViewController::tableViewCellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const NSIndexPath& indexPath) {
    auto cell = tableView->dequeue<UITableViewCell>(cellIdentifier, indexPath);
    cell->setBackgroundColor(KeTuColor::color2());
    auto label = cell->textLabel();
    label->setFont(menuFont(17));
    label->setAdjustsFontSizeToFitWidth(true);
    label->setTextColor(ThemeColor::lightText());

    std::string text;
    if (indexPath.section == mainSection || indexPath.section == contactSection) {
        const auto& rows = indexPath.section == mainSection ? mainSectionRows : contactSectionRows;
        if (const std::string* title = entry(rows, indexPath.row)) text = *title;
    } else if (const std::vector<AppMetaData>* apps = appsOfSection(indexPath.section)) {
        if (const AppMetaData* app = entry(*apps, indexPath.row)) text = appDisplayName(*app, localeLanguageCode());
    }
    label->setText(text);
    return cell;
}

// UITableViewDelegate

std::shared_ptr<UIView> LeftViewController::tableViewViewForHeaderInSection(
    const std::shared_ptr<UITableView>& tableView, int64_t section) {
    CGFloat width = tableView->bounds().size.width;
    if (section == mainSection) return std::make_shared<UIView>(CGRect{0, 0, width, 0});

    std::string title;
    if (section == contactSection) title = NSLocalizedString("Visit us:", "Left Menu: Section Header: Contact");
    if (section == multiAppsSection) title = NSLocalizedString("All in one:", "Left Menu: Section Header: Multi apps");
    if (section == singleAppsSection)
        title = NSLocalizedString("Other apps:", "Left Menu: Section Header: Single apps");
    auto header = std::make_shared<UIView>(CGRect{0, 0, width, headerHeight});
    header->setBackgroundColor(KeTuColor::color3());
    auto label = std::make_shared<UILabel>(CGRect{3, 0, width - 3, headerHeight});
    label->setFont(menuFont(16));
    label->setTextColor(ThemeColor::lightText());
    label->setText(" " + title);
    header->addSubview(label);
    return header;
}

void LeftViewController::tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                          const NSIndexPath& indexPath) {
    if (auto selected = tableView->indexPathForSelectedRow())
        tableView->reloadRowsAtIndexPaths({*selected}, UITableViewRowAnimation::None);
    switch (indexPath.section) {
        case mainSection: return runMainAction(indexPath.row);
        case contactSection: return runContactAction(indexPath.row);
        default: {
            const std::vector<AppMetaData>* apps = appsOfSection(indexPath.section);
            const AppMetaData* app = apps ? entry(*apps, indexPath.row) : nullptr;
            if (app) openApp(*app);
        }
    }
}

// Private

const std::vector<AppMetaData>* LeftViewController::appsOfSection(int64_t section) const {
    if (section == multiAppsSection) return &multiApps;
    if (section == singleAppsSection) return &singleApps;
    return nullptr;
}

void LeftViewController::runMainAction(int64_t row) {
    switch (row) {
        case calculateRow: {
            DDVAnalytics::logEventWithName("tapped_menu_calculate");
            showFreshCalculatePages(*this);
            return;
        }
        case historyRow: {
            DDVAnalytics::logEventWithName("tapped_menu_history");
            if (!Material::navigationDrawerController(*this)) return;
            auto history = UIStoryboard::storyboardWithName(storyboardName, nullptr)
                               ->instantiateViewControllerWithIdentifier<HistoryTableViewController>(
                                   HistoryTableViewController::sceneIdentifier);
            showUnderAppToolbar(*this, history);
            return;
        }
        case introductionRow: {
            DDVAnalytics::logEventWithName("tapped_onboarding");
            return presentIntroduction();
        }
        case privacyPolicyRow: {
            DDVAnalytics::logEventWithName("tapped_privacy_policy");
            return DsgvoManager::showPrivacyPolicyAlert(as<UIViewController>());
        }
        default: return;
    }
}

void LeftViewController::runContactAction(int64_t row) {
    if (row == discordRow) {
        DDVAnalytics::logEventWithName("tapped_discord");
        checkInternetConnection(*this, [] {
            if (std::optional<URL> link = URL::string(discordInviteLink))
                UIApplication::sharedApplication().openURL(*link, {}, nullptr);
        });
    } else if (row == rateAppRow) {
        DDVAnalytics::logEventWithName("tapped_rate_app");
        checkInternetConnection(*this, weakly(this, [](const Self& self) { openRatingPage(*self); }));
    }
}

void LeftViewController::presentIntroduction() {
    auto introduction = std::make_shared<OnboardKit::OnboardViewController>(
        OnboardingManager::makePages(onboardingPages()), OnboardingManager::makeAppearanceConfiguration(),
        [] { OnboardingManager::markOnboardingFinished(); });
    introduction->setModalPresentationStyle(UIModalPresentationStyle::FormSheet);
    introduction->presentFrom(as<UIViewController>(), true);
}

void LeftViewController::openApp(const AppMetaData& app) {
    UIApplication& application = UIApplication::sharedApplication();
    AppLinkChoice choice = chooseAppLink(app, [&](const URL& link) { return application.canOpenURL(link); });
    if (choice.url) application.openURL(*choice.url, {}, nullptr);
    DDVAnalytics::logEventWithName("Tapped App Link", {{"has_app", choice.hasApp}, {"ketuApp", englishName(app)}});
}
