// A monkey: ten thousand random actions on the running application, as a user who does not know
// the app might give them: taps anywhere in the window (through the window's own touch routing),
// keypad keys, text typed on a hardware keyboard (also characters the fields do not expect),
// drags, the drawer and every place of its menu, the page tabs, the history list's rows and
// buttons, the solution page's share button and video row, and answers to whatever is presented
// (alerts, toasts, the rating prompt, the share sheet, the introductions), and swipes from the
// window's left edge and back, through the same touch tracking as the window's. Nothing may
// crash or leak (the sanitizer build checks leaks at exit), and the history must hold exactly one
// entry per successful calculation, less what the user deleted or cleared on the history screen.
//
// The run is reproducible from its seed, which a failure prints; RADIXEL_MONKEY_SEED=<n> repeats
// a run. (The internet check of the contact rows answers on another thread; the monkey waits for
// its answer, so only an unusually slow machine could change the course of a run.)

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "Radixel/screens/history/HistoryTableViewController.hpp"
#include "Radixel/screens/menu/LeftViewController.hpp"
#include "Radixel/screens/rating/RatingViewController.hpp"
#include "Radixel/screens/root/AppNavigationDrawerController.hpp"
#include "Radixel/screens/root/AppToolbarController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/services/CalcManager.hpp"
#include "platform/didevero/RADEvuvozUziduz.hpp"
#include "platform/material/TabBar.hpp"
#include "platform/material/TabsController.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"
#include "platform/render/DialogLayout.hpp"
#include "platform/render/TouchRouter.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "support/LocalHttpServer.hpp"

namespace {

constexpr int actionCount = 10000;

struct ScopedVariable {
    ScopedVariable(const char* name, const std::string& value) : name(name) { ::setenv(name, value.c_str(), 1); }
    ~ScopedVariable() { ::unsetenv(name); }
    const char* name;
};

unsigned monkeySeed() {
    if (const char* given = std::getenv("RADIXEL_MONKEY_SEED"); given && *given)
        return static_cast<unsigned>(std::strtoul(given, nullptr, 10));
    return std::random_device{}();
}

// What a hardware keyboard may type into a field: the keypad's characters most of the time, and
// now and then something the fields were never meant to take.
const std::vector<std::string> typedKeys = {"0", "1", "2", "3", "4", "5", "6", "7", "8",  "9",  ".",  "/",
                                            "-", "0", "1", "2", "3", ".", "/", "-", "\b", "\b", "\b", "\n"};
const std::vector<std::string> junkKeys = {"a", "e",  "E",  " ",  "+",  "*",     ",",   "ß",   "€",   "½",
                                           "😀", "\t", "--", "//", "..", "1e400", "nan", "inf", "0x1", "١٢"};

class MonkeyTest : public ::testing::Test, public LaunchedApp {
protected:
    // The places of the app as the user finds it now (the menu rebuilds the pages).
    std::shared_ptr<AppNavigationDrawerController> drawer() {
        return std::dynamic_pointer_cast<AppNavigationDrawerController>(h.rootViewController());
    }
    std::shared_ptr<AppToolbarController> toolbar() {
        auto d = drawer();
        return d ? std::dynamic_pointer_cast<AppToolbarController>(d->rootViewController()) : nullptr;
    }
    std::shared_ptr<Material::TabsController> tabs() {
        auto t = toolbar();
        return t ? std::dynamic_pointer_cast<Material::TabsController>(t->rootViewController()) : nullptr;
    }
    template <class Page>
    std::shared_ptr<Page> page() {
        auto t = tabs();
        if (!t) return nullptr;
        for (const auto& controller : t->viewControllers())
            if (auto found = std::dynamic_pointer_cast<Page>(controller)) return found;
        return nullptr;
    }
    std::shared_ptr<HistoryTableViewController> historyScreen() {
        auto t = toolbar();
        return t ? std::dynamic_pointer_cast<HistoryTableViewController>(t->rootViewController()) : nullptr;
    }
    std::shared_ptr<LeftViewController> menu() {
        auto d = drawer();
        auto holder = d ? std::dynamic_pointer_cast<Material::RootController>(d->leftViewController()) : nullptr;
        return holder ? std::dynamic_pointer_cast<LeftViewController>(holder->rootViewController()) : nullptr;
    }

    template <class T>
    const T& pick(const std::vector<T>& list) {
        return list[std::uniform_int_distribution<size_t>(0, list.size() - 1)(random)];
    }
    double uniform(double from, double to) { return std::uniform_real_distribution<double>(from, to)(random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }

    // A finger through the window's own routing, as the window's mouse gives it.
    void touch(CGPoint from, CGPoint to, int steps) {
        auto window = h.window();
        if (!window) return;
        render::TouchRouter finger(window);
        if (onContactRow(to)) noteContactTap();
        finger.press(from);
        h.runUntilIdle();
        for (int i = 1; i <= steps; ++i) {
            double t = static_cast<double>(i) / steps;
            finger.move({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
            h.runUntilIdle();
        }
        finger.release(to);
        h.runUntilIdle();
    }
    // Whether a finger at the point lands on a contact row of the open menu.
    bool onContactRow(CGPoint point) {
        auto m = menu();
        if (!m || !drawer()->isLeftViewOpened()) return false;
        auto hit = render::TouchRouter::hitTest(h.window(), point);
        while (hit && !std::dynamic_pointer_cast<UITableViewCell>(hit)) hit = hit->superview();
        auto cell = std::dynamic_pointer_cast<UITableViewCell>(hit);
        auto row = cell ? m->tableView()->indexPathForCell(cell) : std::nullopt;
        return row && row->section == contactSection;
    }
    void noteContactTap() {
        if (!mayTapContactRow) contactsBefore = contactTaps();
        mayTapContactRow = true;
    }
    CGPoint anywhere() {
        CGSize size = h.window()->bounds().size;
        return {uniform(0, size.width), uniform(0, size.height)};
    }

    void collectControls(const std::shared_ptr<UIView>& view, std::vector<std::shared_ptr<UIControl>>& into) {
        if (view->isHidden()) return;
        if (auto control = std::dynamic_pointer_cast<UIControl>(view)) into.push_back(control);
        for (const auto& sub : view->subviews()) collectControls(sub, into);
    }

    // One random action; answers what it did, for the failure report.
    std::string act() {
        if (auto sheet = h.presented<UIActivityViewController>(); sheet && chance(0.5)) return answerDialog(sheet);
        if (auto alert = h.presentedAlert(); alert && chance(0.5)) return answerDialog(alert);
        if (auto rating = h.presented<RatingViewController>(); rating && chance(0.5)) return answerRating(*rating);
        if (auto intro = h.presented<OnboardKit::OnboardViewController>(); intro && chance(0.4)) {
            h.tap(chance(0.8) ? intro->advanceButton() : intro->actionButton());
            return "introduction button";
        }
        if (auto history = historyScreen(); history && chance(0.25)) return actOnHistory(*history);
        if (auto m = menu(); m && drawer()->isLeftViewOpened() && chance(0.5)) return tapMenuRow(*m);
        return (this->*pickAction())();
    }

    using Action = std::string (MonkeyTest::*)();
    // Everything else the user may do, with its weight.
    Action pickAction() {
        static const std::vector<std::pair<double, Action>> actions = {
            {18, &MonkeyTest::tapAnywhere},      {4, &MonkeyTest::dragAnywhere},
            {3, &MonkeyTest::enterEquation},     {19, &MonkeyTest::tapKey},
            {12, &MonkeyTest::typeOnKeyboard},   {6, &MonkeyTest::focusField},
            {8, &MonkeyTest::calculateOrDelete}, {2, &MonkeyTest::clear},
            {6, &MonkeyTest::switchTab},         {6, &MonkeyTest::tapMenuButton},
            {2, &MonkeyTest::closeDrawer},       {2, &MonkeyTest::swipeAcross},
            {6, &MonkeyTest::tapControl},        {3, &MonkeyTest::wait},
            {3, &MonkeyTest::endAnimations},
        };
        std::vector<double> weights;
        for (const auto& [weight, action] : actions) weights.push_back(weight);
        return actions[std::discrete_distribution<size_t>(weights.begin(), weights.end())(random)].second;
    }

    std::string tapAnywhere() {
        CGPoint at = anywhere();
        touch(at, at, 0);
        return "tap at " + describe(at);
    }
    std::string dragAnywhere() {
        CGPoint from = anywhere(), to = anywhere();
        touch(from, to, 4);
        return "drag " + describe(from) + " to " + describe(to);
    }
    std::string focusField() {
        auto calculate = page<CalculateViewController>();
        if (!calculate) return "no field to focus";
        h.focus(chance(0.5) ? calculate->pTextField : calculate->qTextField);
        return "focus a field";
    }
    std::string calculateOrDelete() {
        auto calculate = page<CalculateViewController>();
        if (calculate) h.tap(chance(0.8) ? calculate->calculateButton : calculate->deleteButton);
        return "calculate or delete";
    }
    std::string clear() {
        h.tapAccessibilityIdentifier("toolbarRemoveButton");
        return "clear";
    }
    std::string switchTab() {
        if (auto t = tabs()) h.tap(pick(t->tabBar()->tabItems()));
        return "tab";
    }
    std::string tapMenuButton() {
        if (auto t = toolbar()) h.tap(t->menuButton);
        return "menu button";
    }
    std::string closeDrawer() {
        if (auto d = drawer()) d->closeLeftView(uniform(0, 2000));
        h.runUntilIdle();
        return "drawer closes";
    }
    std::string swipeAcross() {
        CGFloat y = uniform(80, 800);
        bool opening = chance(0.5);
        h.swipe(h.window(), {opening ? 2.0 : 300.0, y}, {opening ? 300.0 : 2.0, y});
        return "swipe across the window";
    }
    std::string tapControl() {
        std::vector<std::shared_ptr<UIControl>> controls;
        collectControls(h.window(), controls);
        std::erase_if(controls, [&](const auto& control) { return !h.isTouchable(control); });
        if (controls.empty()) return "no control";
        h.tap(pick(controls));
        return "a control";
    }
    std::string wait() {
        double seconds = uniform(0.05, 3.0);
        h.advance(seconds);
        return "wait " + std::to_string(seconds) + " s";
    }
    std::string endAnimations() {
        h.finishAnimations();
        return "animations end";
    }

    std::string tapKey() {
        auto calculate = page<CalculateViewController>();
        if (!calculate) return "no keypad";
        std::vector<std::shared_ptr<UIControl>> keys;
        collectControls(calculate->keypadStackView, keys);
        if (keys.empty()) return "no keys";
        auto key = pick(keys);
        h.tap(key);
        return "keypad key";
    }

    // A user who knows what to do: p and q typed on the keypad, then Calculate. The numbers are
    // mostly fine, sometimes out of range or malformed.
    std::string enterEquation() {
        auto calculate = page<CalculateViewController>();
        if (!calculate) return "no calculate page";
        auto number = [&] {
            static const std::vector<std::string> odd = {"", "-", "/", "3/0", "1.2.3", "--4", "0.5/", "99999999999"};
            if (chance(0.15)) return pick(odd);
            std::string text = chance(0.3) ? "-" : "";
            text += std::to_string(std::uniform_int_distribution<int>(0, 99)(random));
            if (chance(0.3))
                text += "." + std::to_string(std::uniform_int_distribution<int>(0, 9)(random));
            else if (chance(0.2))
                text += "/" + std::to_string(std::uniform_int_distribution<int>(1, 12)(random));
            return text;
        };
        std::string equation;
        for (const auto& field : {calculate->pTextField, calculate->qTextField}) {
            if (!h.focus(field)) return "the fields take no input";
            for (int n = 0; n < 40 && !field->text().empty(); ++n) h.tap(calculate->deleteButton);
            std::string text = number();
            for (char c : text) {
                std::vector<std::shared_ptr<UIControl>> keys;
                collectControls(calculate->keypadStackView, keys);
                for (const auto& key : keys) {
                    auto button = std::dynamic_pointer_cast<UIButton>(key);
                    if (button && button->titleForState(UIControlStateNormal) == std::string(1, c)) h.tap(button);
                }
            }
            equation += "'" + text + "' ";
        }
        h.tap(calculate->calculateButton);
        return "solve p, q = " + equation;
    }

    // As the window hands keys to the focused field.
    std::string typeOnKeyboard() {
        const std::string& key = chance(0.85) ? pick(typedKeys) : pick(junkKeys);
        auto field = std::dynamic_pointer_cast<UITextField>(UIResponder::currentFirstResponder());
        if (!field) return "typing without a field";
        if (key == "\b")
            field->deleteBackward();
        else if (key == "\n")
            field->pressReturn();
        else
            field->insertText(key);
        h.runUntilIdle();
        return "type '" + key + "'";
    }

    std::string answerDialog(const std::shared_ptr<UIViewController>& dialog) {
        CGSize size = h.window()->bounds().size;
        render::DialogLayout layout;
        if (auto alert = std::dynamic_pointer_cast<UIAlertController>(dialog))
            layout = render::alertLayout(*alert, size);
        else
            layout = render::shareSheetLayout(*std::static_pointer_cast<UIActivityViewController>(dialog), size);
        if (layout.buttons.empty()) {
            h.advance(uniform(0.5, 4));
            return "wait out a dialog without buttons";
        }
        const render::DialogButton& button = pick(layout.buttons);
        CGPoint centre{button.frame.midX(), button.frame.midY()};
        touch(centre, centre, 0);
        return "dialog button '" + button.title + "'";
    }

    std::string answerRating(RatingViewController& rating) {
        switch (std::uniform_int_distribution<int>(0, 2)(random)) {
            case 0: h.tap(rating.cancelRatingButton); return "rating: cancel";
            case 1: h.tap(rating.sendRatingButton); return "rating: send";
            default: {
                CGRect stars = rating.StarRatingView->bounds();
                h.tap(rating.StarRatingView, {uniform(0, stars.size.width), stars.midY()});
                return "rating: stars";
            }
        }
    }

    std::string tapMenuRow(LeftViewController& m) {
        auto table = m.tableView();
        int64_t section = std::uniform_int_distribution<int64_t>(0, table->numberOfSections() - 1)(random);
        int64_t rows = table->numberOfRowsInSection(section);
        if (rows == 0) return "empty menu section";
        int64_t row = std::uniform_int_distribution<int64_t>(0, rows - 1)(random);
        if (section == contactSection) noteContactTap();
        h.tapRow(table, {section, row});
        return "menu row " + std::to_string(section) + "/" + std::to_string(row);
    }

    std::string actOnHistory(HistoryTableViewController& history) {
        auto table = history.tableView();
        int64_t rows = table->numberOfRowsInSection(0);
        int choice = std::uniform_int_distribution<int>(rows > 0 ? 0 : 6, 9)(random);
        if (choice <= 5) {
            NSIndexPath row{0, std::uniform_int_distribution<int64_t>(0, rows - 1)(random)};
            table->scrollToRowAtIndexPath(row, UITableViewScrollPosition::None, false);
            h.runUntilIdle();
            auto cell = table->cellForRowAtIndexPath(row);
            if (!cell) return "history row not shown";
            CGRect bounds = cell->bounds();
            switch (choice) {
                case 0:
                case 1: h.tapRow(table, row); return "history: open an entry";
                case 2:
                case 3: {
                    h.swipe(cell, {bounds.size.width - 20, bounds.midY()}, {bounds.size.width - 200, bounds.midY()});
                    if (chance(0.7)) h.tap(cell->deleteConfirmationButton());
                    return "history: swipe to delete";
                }
                case 4: {
                    if (auto control = cell->reorderControl()) {
                        CGRect grip = control->bounds();
                        h.drag(control, {grip.midX(), grip.midY()}, {grip.midX(), grip.midY() + uniform(-150, 150)});
                    }
                    return "history: drag a row";
                }
                default: {
                    if (auto control = cell->editControl()) h.tap(control);
                    return "history: a row's edit control";
                }
            }
        }
        if (rows == 0 && chance(0.5)) {
            if (auto t = toolbar()) h.tap(t->menuButton);
            return "history: empty, menu button";
        }
        if (choice <= 8) {
            h.tap(history.editButton);
            return "history: edit";
        }
        h.tap(history.clearAllButton);
        return "history: clear";
    }

    static std::string describe(CGPoint point) {
        std::ostringstream out;
        out << "(" << static_cast<int>(point.x) << ", " << static_cast<int>(point.y) << ")";
        return out.str();
    }

    // One entry per successful calculation since launch, less the entries the user removed.
    int64_t expectedHistoryLength() const {
        int64_t length = historyAtLaunch;
        length += static_cast<int64_t>(h.analytics().eventsNamed("ketu_calculate").size());
        length -= static_cast<int64_t>(h.analytics().eventsNamed("tapped_history_delete_single_calc").size());
        for (const auto& clear : h.analytics().eventsNamed("tapped_history_clear"))
            length -= clear.parameters.at("calc_count").get<int64_t>();
        return length;
    }

    size_t contactTaps() const {
        return h.analytics().eventsNamed("tapped_discord").size() + h.analytics().eventsNamed("tapped_rate_app").size();
    }

    static constexpr int64_t contactSection = 1;
    bool mayTapContactRow = false;
    size_t contactsBefore = 0;
    std::mt19937 random;
    int64_t historyAtLaunch = 0;
};

TEST_F(MonkeyTest, TenThousandRandomActionsLeaveTheAppRunningAndTheHistoryCounted) {
    // The contact rows' internet check reaches a server on this machine, never the internet.
    LocalHttpServer online;
    ScopedVariable check("RADIXEL_INTERNET_CHECK_URL", online.url("/"));

    h.linkOpener().installURLHandler("https");
    const unsigned seed = monkeySeed();
    random.seed(seed);
    SCOPED_TRACE("monkey seed " + std::to_string(seed) + " (repeat with RADIXEL_MONKEY_SEED=" + std::to_string(seed) +
                 ")");
    // Tutorial videos held from an earlier fetch, so the solution page has its video row, with
    // its consent and its introduction.
    nlohmann::json videos = {{"ZV", {{"en", {"https://youtu.be/first", "https://youtu.be/second"}}}}};
    std::ofstream(defaults.folder.path() / RADEvuvozUziduz::storageFileName)
        << nlohmann::json{{"activatedValues", {{"videoTutorials", videos.dump()}}}}.dump();
    launch(Answers{});
    historyAtLaunch = static_cast<int64_t>(CalcManager::shared().calculations.size());

    std::deque<std::string> lastActions;
    std::shared_ptr<UIViewController> lastTop;
    int sameTopFor = 0;
    auto report = [&] {
        std::string out = "last actions:";
        for (const auto& action : lastActions) out += "\n  " + action;
        return out;
    };
    for (int i = 0; i < actionCount; ++i) {
        mayTapContactRow = false;
        const size_t links = h.linkOpener().openedURLs().size();
        lastActions.push_back(std::to_string(i) + ": " + act());
        // A contact row asks the (local) internet check first, whose answer comes on another
        // thread: wait for it, so that the run goes on as its seed says.
        if (mayTapContactRow && contactTaps() > contactsBefore) {
            h.runUntil([&] { return h.presentedAlert() || h.linkOpener().openedURLs().size() > links; }, 2.0);
        }
        if (lastActions.size() > 25) lastActions.pop_front();
        ASSERT_TRUE(drawer()) << "the drawer is no longer the window's root\n" << report();
        // Whatever is presented, the user can get past it.
        auto top = h.topViewController();
        sameTopFor = top == lastTop ? sameTopFor + 1 : 0;
        lastTop = top;
        ASSERT_TRUE(top == drawer() || sameTopFor < 500) << "the user is stuck under a presented screen\n" << report();
        if (i % 500 == 499 || i == actionCount - 1) {
            ASSERT_EQ(static_cast<int64_t>(CalcManager::shared().calculations.size()), expectedHistoryLength())
                << "after action " << i << "\n"
                << report();
        }
    }
    lastTop.reset();
    EXPECT_GT(h.analytics().eventsNamed("ketu_calculate").size(), 0u);

    // What the user sees is what a restart loads.
    const size_t shown = CalcManager::shared().calculations.size();
    restart();
    EXPECT_EQ(CalcManager::shared().calculations.size(), shown);

    // The run went everywhere the drawer leads.
    std::set<std::string> visited;
    for (const auto& name : h.analytics().names()) visited.insert(name);
    for (const char* place :
         {"tapped_menu_calculate", "tapped_menu_history", "tapped_onboarding", "tapped_privacy_policy",
          "tapped_rate_app", "tapped_discord", "Tapped App Link", "tapped_history_item"})
        EXPECT_TRUE(visited.count(place)) << "the monkey never reached " << place;
}

}  // namespace
