#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <tuple>

#include "Radixel/screens/menu/AppLinks.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/screens/solution/SolutionStepTableViewCell.hpp"
#include "platform/foundation/ScopedLocaleEnvironment.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"

namespace {

using nlohmann::json;
using Names = std::vector<std::string>;

constexpr NSIndexPath calculateRow{0, 0}, historyRow{0, 1}, introductionRow{0, 2}, privacyRow{0, 3};
constexpr NSIndexPath discordRow{1, 0}, rateRow{1, 1};

json appRecord(const std::string& identifier, bool multi, const std::string& englishName) {
    return {{"appIdentifiers", {identifier}}, {"appName", {{"en", englishName}}},
            {"appURL", "https://radixel.example/open/" + identifier}, {"appURLPro", "not a link"},
            {"ratingURL", ""}, {"ratingURLPro", ""}, {"storeURL", ""}, {"storeURLPro", "no store link"},
            {"isMultiApp", multi}, {"shouldShow", true}, {"calculationsUntilInterstitial", 3}};
}

std::string remoteApps(const std::vector<json>& apps) { return json{{"apps", {{"apps", apps}}}}.dump(); }

Names identifiers(const std::vector<AppMetaData>& apps) {
    Names result;
    for (const AppMetaData& app : apps) result.push_back(app.appIdentifiers.at(0));
    return result;
}

class MenuTest : public ::testing::Test, public LaunchedApp {
protected:
    void SetUp() override { launch(Answers{}); }
    std::shared_ptr<UITableView> table() { return menu().tableView(); }

    // The titles the rows of a section show on screen.
    Names rowTitles(int64_t section) {
        Names titles;
        for (int64_t row = 0; row < table()->numberOfRowsInSection(section); ++row) {
            NSIndexPath indexPath{section, row};
            table()->scrollToRowAtIndexPath(indexPath, UITableViewScrollPosition::None, false);
            titles.push_back(table()->cellForRowAtIndexPath(indexPath)->textLabel()->text().value_or("?"));
        }
        return titles;
    }
    std::string headerTitle(int64_t section) {
        auto header = table()->headerViewForSection(section);
        auto label =
            header && !header->subviews().empty() ? std::dynamic_pointer_cast<UILabel>(header->subviews()[0]) : nullptr;
        return label ? label->text().value_or("") : "";
    }
    // Through the menu button; the row reports that event alone.
    void choose(NSIndexPath row, const std::string& event) {
        openMenu();
        ASSERT_TRUE(tapMenuRow(row));
        h.finishAnimations();
        EXPECT_EQ(h.analytics().names(), Names{event});
    }
};

}  // namespace

TEST(MenuAppLinks, NamesFollowTheLanguageThenEnglishAndLinksTheProAppThenTheFreeOneNeverAText) {
    AppMetaData app;
    app.appName = {{"en", "Fractions"}, {"ja", "分数計算"}};
    EXPECT_EQ(appDisplayName(app, "it"), "Fractions");
    app.appName = {{"de", "Brüche"}};
    EXPECT_EQ(appDisplayName(app, "fr"), "");

    // The menu's app rows show which link wins when installed or not; here the order among an
    // app's own links, and that texts forming no URL are never offered to canOpen.
    app.appURLPro = "https://apps.example/pro";
    app.appURL = "https://apps.example/free";
    app.storeURLPro = "https://store.example/pro";
    EXPECT_EQ(chooseAppLink(app, [](const URL&) { return true; }).url->absoluteString(), app.appURLPro);
    AppLinkChoice free = chooseAppLink(app, [&](const URL& url) { return url.absoluteString() == app.appURL; });
    EXPECT_EQ(std::pair(free.url->absoluteString(), free.hasApp), std::pair(app.appURL, true));

    app.appURLPro = "no link";
    app.appURL = "";
    app.storeURLPro = "store page";
    AppLinkChoice none = chooseAppLink(app, [](const URL&) -> bool { throw std::logic_error("asked"); });
    EXPECT_FALSE(none.url || none.hasApp);
}

// Unless a calculation runs.
TEST_F(MenuTest, TheMenuButtonOpensTheDrawerOverThePageWithThePlacesTheContactsAndTheBundledApps) {
    EXPECT_EQ(toolbar()->toolbar()->title(), NSLocalizedString("Calculate Title", ""));
    isCalculating = true;
    ASSERT_TRUE(h.tap(toolbar()->menuButton));
    isCalculating = false;
    EXPECT_FALSE(drawer()->isLeftViewOpened());

    ASSERT_TRUE(h.tap(toolbar()->menuButton));
    EXPECT_TRUE(drawer()->isLeftViewOpened());
    EXPECT_EQ(h.analytics().eventsNamed("tapped_menu_button").size(), 2u);
    // The open drawer lies over the page: its keys are out of reach.
    EXPECT_FALSE(h.isTouchable(key("7")));

    EXPECT_EQ(rowTitles(0), (Names{NSLocalizedString("Calculate Title", ""), NSLocalizedString("History", ""),
                                   NSLocalizedString("introduction", ""), NSLocalizedString("privacyPolicy", "")}));
    EXPECT_EQ(rowTitles(1), (Names{NSLocalizedString("Discord", ""), NSLocalizedString("Rate this App", "")}));
    ASSERT_EQ(table()->numberOfSections(), 4);
    EXPECT_EQ(identifiers(menu().multiApps), Names{"com.radixel.calcadia"});
    EXPECT_EQ(identifiers(menu().singleApps),
              (Names{"com.radixel.fractora", "com.radixel.percentio", "com.radixel.linexa", "com.radixel.trigonix",
                     "com.radixel.geomora", "com.radixel.stochora", "com.radixel.derivia"}));
    Names shownApps = rowTitles(3);
    ASSERT_EQ(shownApps.size(), 7u);
    EXPECT_TRUE(shownApps[0] != "" && std::count(shownApps.begin(), shownApps.end(), rowTitles(2)[0]) == 0);

    EXPECT_EQ(table()->rectForHeaderInSection(0).size.height, 0);
    for (auto [section, title] : {std::pair{1, "Visit us:"}, {2, "All in one:"}, {3, "Other apps:"}})
        EXPECT_EQ(headerTitle(section), " " + NSLocalizedString(title, ""));

    // Coming to the front, the open menu reads the app lists again.
    menu().singleApps.clear();
    table()->reloadData();
    ASSERT_EQ(table()->numberOfSections(), 2);
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationDidBecomeActiveNotification);
    h.runUntilIdle();
    EXPECT_EQ(rowTitles(3), shownApps);
}

// Calculate builds new pages under a new toolbar, which show the running inputs; the history
// comes anew under the same toolbar; the introduction and the policy come up over the menu.
TEST_F(MenuTest, EachPlaceRowLeadsToItsScreen) {
    enter("-3", "");
    auto launched = toolbar();
    choose(calculateRow, "tapped_menu_calculate");
    EXPECT_FALSE(drawer()->isLeftViewOpened());
    ASSERT_NE(toolbar(), launched);
    auto fresh = shownPage<CalculateViewController>();
    ASSERT_TRUE(fresh && fresh.get() != &calculate());
    EXPECT_EQ(fresh->pTextField->text(), "-3");

    launched = toolbar();
    std::shared_ptr<UIViewController> before;
    for (int time = 0; time < 2; ++time) {
        choose(historyRow, "tapped_menu_history");
        EXPECT_FALSE(drawer()->isLeftViewOpened());
        EXPECT_EQ(toolbar(), launched);
        auto history = std::dynamic_pointer_cast<HistoryTableViewController>(launched->rootViewController());
        ASSERT_TRUE(history && history != before);
        before = history;
    }

    choose(introductionRow, "tapped_onboarding");
    auto introduction = h.presented<OnboardKit::OnboardViewController>();
    ASSERT_TRUE(introduction);
    EXPECT_EQ(introduction->modalPresentationStyle(), UIModalPresentationStyle::FormSheet);
    introduction->dismissViewControllerAnimated(false);
    h.runUntilIdle();
    h.analytics().clear();
    ASSERT_TRUE(tapMenuRow(privacyRow));
    h.runUntilIdle();
    EXPECT_EQ(h.analytics().names(), Names{"tapped_privacy_policy"});
    EXPECT_EQ(alertTitle(), NSLocalizedString("dsgvoTitle", "Privacy Policy"));
}

// Offline each row tells there is no internet instead, and opens nothing.
TEST_F(MenuTest, ContactRowsOpenTheirLinksOnlyWithAConnection) {
    LocalHttpServer online;
    std::string offline = LocalHttpServer().url("/");  // refused once the server has gone
    h.linkOpener().installURLHandler("https");
    openMenu();
    const Names links = {"https://discord.gg/radixel", "https://radixel.example/store/radixel-pro/rate"};
    for (auto [check, opened, events] : std::vector<std::tuple<std::string, Names, Names>>{
             {online.url("/"), links, {"tapped_discord", "tapped_rate_app", "Tapped Rating in Menu"}},
             {offline, {}, {"tapped_discord", "tapped_rate_app"}}}) {
        ScopedEnvironment address("RADIXEL_INTERNET_CHECK_URL", check);
        for (NSIndexPath row : {discordRow, rateRow}) {  // each opens its link or tells why not
            ASSERT_TRUE(tapMenuRow(row));
            ASSERT_TRUE(
                h.runUntil([&] { return alertTitle() || h.linkOpener().openedURLs().size() > size_t(row.row); }));
            if (!alertTitle()) continue;
            EXPECT_EQ(alertTitle(), NSLocalizedString("noInternet", ""));
            h.tapAlertAction("OK");
        }
        EXPECT_EQ(h.linkOpener().openedURLs(), opened);
        EXPECT_EQ(h.analytics().names(), events);
        h.linkOpener().clear();
        h.analytics().clear();
    }
}

TEST_F(MenuTest, AnAppRowOpensTheInstalledAppElseItsStorePageAndTheRemoteListReplacesTheBundledOne) {
    LocalHttpServer server;
    server.respond(500, "");
    ScopedEnvironment endpoint("RADIXEL_REMOTE_CONFIG_URL", server.url("/config"));
    restart();
    openMenu();
    ASSERT_EQ(identifiers(menu().multiApps), Names{"com.radixel.calcadia"});
    h.linkOpener().installURLHandler("https://radixel.example/open/calcadia");
    h.linkOpener().installURLHandler("https://radixel.example/store/fractora-pro");
    ASSERT_TRUE(tapMenuRow({2, 0}) && tapMenuRow({3, 0}));
    h.runUntilIdle();
    EXPECT_EQ(h.linkOpener().openedURLs(),
              (Names{"https://radixel.example/open/calcadia", "https://radixel.example/store/fractora-pro"}));
    auto events = h.analytics().eventsNamed("Tapped App Link");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].parameters, (json{{"has_app", true}, {"ketuApp", "Calcadia – All Math Calculators"}}));
    EXPECT_EQ(events[1].parameters, (json{{"has_app", false}, {"ketuApp", "Fractora – Fractions"}}));
    h.linkOpener().clear();

    // This app's own record is listed by the remote value too, and must not show.
    h.advance(21600.0 + 1);  // past the fetched values' lifetime in the client's cache
    server.respond(
        200, remoteApps({appRecord("com.radixel.app", false, "Radixel"), appRecord("multi.one", true, "All Maths"),
                         appRecord("single.one", false, "Fractions")}));
    h.cycleThroughBackground();
    ASSERT_TRUE(h.runUntil([&] { return identifiers(menu().singleApps) == Names{"single.one"}; }));
    EXPECT_EQ(identifiers(menu().multiApps), Names{"multi.one"});
    EXPECT_EQ(rowTitles(2), Names{"All Maths"});
    EXPECT_EQ(rowTitles(3), Names{"Fractions"});

    // Not installed and without a store page: nothing opens, and the tap is still counted.
    ASSERT_TRUE(tapMenuRow({3, 0}));
    EXPECT_TRUE(h.linkOpener().openedURLs().empty());
    EXPECT_EQ(h.analytics().eventsNamed("Tapped App Link").back().parameters,
              (json{{"has_app", false}, {"ketuApp", "Fractions"}}));

    // Apps of one group only: no app sections at all.
    server.respond(200, remoteApps({appRecord("single.two", false, "Percentages")}));
    h.advance(21600.0 + 1);
    h.cycleThroughBackground();
    ASSERT_TRUE(h.runUntil([&] { return RemoteConfigManager::shared().multiApps().empty(); }));
    h.runUntilIdle();
    EXPECT_EQ(table()->numberOfSections(), 2);

    // A call from another thread leaves the lists alone until the main queue runs it.
    menu().singleApps.clear();
    std::thread([menu = app->leftViewController()] { menu->didUpdateMenu(); }).join();
    EXPECT_TRUE(menu().singleApps.empty());
    h.runUntilIdle();
    EXPECT_EQ(identifiers(menu().singleApps), Names{"single.two"});
}

// Every other test reads the English texts. The language is chosen once per process, so this walk
// runs in a process of its own and writes out what it saw.
[[noreturn]] void walkInJapanese() {
    ScopedLocaleEnvironment japanese({{"LANG", "ja_JP.UTF-8"}});
    LaunchedApp app;
    app.launch(LaunchedApp::Answers{.privacyAccepted = false});
    std::cerr << app.alertTitle().value_or("") << ";";
    app.h.tapAlertAction("同意する");
    app.enter("-2", "-3");
    app.tapCalculate();
    auto step = std::dynamic_pointer_cast<SolutionStepTableViewCell>(app.solution().tableView->visibleCells().at(1));
    std::cerr << step->stepTitleLabel->text().value_or("") << ";";
    app.openMenu();
    for (NSIndexPath row : {NSIndexPath{0, 1}, NSIndexPath{3, 0}})
        std::cerr << app.menu().tableView()->cellForRowAtIndexPath(row)->textLabel()->text().value_or("") << ";";
    app.tapMenuRow({3, 0});  // the analytics want the English name
    std::cerr << app.h.analytics().eventsNamed("Tapped App Link").at(0).parameters.value("ketuApp", "") << ";";
    std::exit(0);
}

TEST(JapaneseMenu, ThePrivacyAlertTheStepTitlesAndTheMenuShowTheJapaneseTexts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(walkInJapanese(), ::testing::ExitedWithCode(0),
                "プライバシーポリシー;ステップ 2    2次方程式;履歴;Fractora – 分数計算;Fractora – Fractions;");
}
