// A monkey: ten thousand random actions on the running application, as a user who does not know
// the app might give them: taps, drags and swipes through the window's own touch routing, keypad
// keys, typing (also characters the fields do not expect), every menu row, the page tabs, the
// history's rows and buttons, any control, answers to whatever is presented. Nothing may crash
// or leak (the sanitizer build checks leaks at exit), and the history must hold one entry per
// successful calculation, less what the user deleted or cleared on the history screen.
// A failure prints the run's seed; RADIXEL_MONKEY_SEED=<n> repeats the run.

#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "Radixel/screens/rating/RatingViewController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "platform/material/TabBar.hpp"
#include "platform/render/DialogLayout.hpp"
#include "platform/render/TouchRouter.hpp"
#include "platform/uikit/UIActivityViewController.hpp"

namespace {

constexpr int actionCount = 10000;  // a multiple of 500

// What a hardware keyboard may type into a field: the keypad's characters most of the time, and
// now and then something the fields were never meant to take.
const std::vector<std::string> typedKeys = {"0", "1", "2", "3", "4", "5", "6", "7", "8",  "9",  ".",  "/",
                                            "-", "0", "1", "2", "3", ".", "/", "-", "\b", "\b", "\b", "\n"};
const std::vector<std::string> junkKeys = {"a", "e",  "E",  " ",  "+",  "*",     ",",   "ß",   "€",   "½",
                                           "😀", "\t", "--", "//", "..", "1e400", "nan", "inf", "0x1", "١٢"};

class MonkeyTest : public ::testing::Test, public LaunchedApp {
protected:
    bool menuOpen() { return drawer() && drawer()->isLeftViewOpened(); }

    template <class T>
    const T& pick(const std::vector<T>& list) {
        return list[std::uniform_int_distribution<size_t>(0, list.size() - 1)(random)];
    }
    int64_t below(int64_t count) { return std::uniform_int_distribution<int64_t>(0, count - 1)(random); }
    double uniform(double from, double to) { return std::uniform_real_distribution<double>(from, to)(random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }
    CGPoint anywhere() {
        CGSize size = h.window()->bounds().size;
        return {uniform(0, size.width), uniform(0, size.height)};
    }
    static std::string describe(CGPoint point) {
        return "(" + std::to_string(int(point.x)) + ", " + std::to_string(int(point.y)) + ")";
    }

    // A finger through the window's own routing, as the window's mouse gives it.
    void touch(CGPoint from, CGPoint to, int steps) {
        render::TouchRouter finger(h.window());
        if (onContactRow(to)) noteContactTap();
        finger.press(from);
        h.runUntilIdle();
        for (int i = 1; i <= steps; ++i) {
            finger.move({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
            h.runUntilIdle();
        }
        finger.release(to);
        h.runUntilIdle();
    }
    bool onContactRow(CGPoint point) {
        if (!menuOpen()) return false;
        auto hit = render::TouchRouter::hitTest(h.window(), point);
        while (hit && !std::dynamic_pointer_cast<UITableViewCell>(hit)) hit = hit->superview();
        auto cell = std::dynamic_pointer_cast<UITableViewCell>(hit);
        auto row = cell ? menu().tableView()->indexPathForCell(cell) : std::nullopt;
        return row && row->section == 1;  // the contact rows
    }
    // Counting events is slow on a long run: only where a contact row may be tapped.
    void noteContactTap() {
        if (!contactsBefore) contactsBefore = contactTaps();
    }
    size_t contactTaps() const {
        return h.analytics().eventsNamed("tapped_discord").size() + h.analytics().eventsNamed("tapped_rate_app").size();
    }

    // Taps one of the shown controls under the view that a finger reaches.
    void tapAControlUnder(const std::shared_ptr<UIView>& view) {
        std::vector<std::shared_ptr<UIControl>> controls;
        std::function<void(const std::shared_ptr<UIView>&)> collect = [&](const std::shared_ptr<UIView>& at) {
            if (at->isHidden()) return;
            if (auto control = std::dynamic_pointer_cast<UIControl>(at)) controls.push_back(control);
            for (const auto& sub : at->subviews()) collect(sub);
        };
        collect(view);
        std::erase_if(controls, [&](const auto& control) { return !h.isTouchable(control); });
        if (!controls.empty()) h.tap(pick(controls));
    }

    // One random action; answers what it did, for the failure report.
    std::string act() {
        if (auto top = h.topViewController(); top != drawer() && chance(0.5)) return answer(top);
        auto shown = toolbar() ? toolbar()->rootViewController() : nullptr;
        auto history = std::dynamic_pointer_cast<HistoryTableViewController>(shown);
        if (history && chance(0.25)) return actOnHistory(*history);
        if (menuOpen() && chance(0.5)) return tapMenuRow();
        return pickAction()();
    }

    // Everything else the user may do, with its weight.
    std::function<std::string()> pickAction() {
        using Action = std::pair<double, std::function<std::string()>>;
        const std::vector<Action> actions = {
            {22, [&] { CGPoint from = anywhere(), to = chance(0.8) ? from : anywhere();
                       touch(from, to, from == to ? 0 : 4);
                       return "finger " + describe(from) + " to " + describe(to); }},
            {3, [&] { return enterEquation(); }},
            {19, [&] { if (auto page = shownPage<CalculateViewController>()) tapAControlUnder(page->keypadStackView);
                       return "keypad key"; }},
            {12, [&] { return typeOnKeyboard(); }},
            {6, [&] { if (auto page = shownPage<CalculateViewController>())
                          h.focus(chance(0.5) ? page->pTextField : page->qTextField);
                      return "focus a field"; }},
            {8, [&] { if (auto page = shownPage<CalculateViewController>())
                          h.tap(chance(0.8) ? page->calculateButton : page->deleteButton);
                      return "calculate or delete"; }},
            {2, [&] { tapClear(); return "clear"; }},
            {6, [&] { if (auto t = toolbar()) if (auto tabs = std::dynamic_pointer_cast<Material::TabsController>(
                          t->rootViewController())) h.tap(pick(tabs->tabBar()->tabItems()));
                      return "tab"; }},
            {6, [&] { if (auto t = toolbar()) h.tap(t->menuButton); return "menu button"; }},
            {2, [&] { if (auto d = drawer()) d->closeLeftView(uniform(0, 2000)); h.runUntilIdle();
                      return "drawer closes"; }},
            {2, [&] { CGFloat y = uniform(80, 800); bool opening = chance(0.5);
                      h.swipe(h.window(), {opening ? 2.0 : 300.0, y}, {opening ? 300.0 : 2.0, y});
                      return "swipe across the window"; }},
            {6, [&] { tapAControlUnder(h.window()); return "a control"; }},
            {3, [&] { double seconds = uniform(0.05, 3.0); h.advance(seconds);
                      return "wait " + std::to_string(seconds) + " s"; }},
            {3, [&] { h.finishAnimations(); return "animations end"; }},
        };
        std::vector<double> weights;
        for (const auto& action : actions) weights.push_back(action.first);
        return actions[std::discrete_distribution<size_t>(weights.begin(), weights.end())(random)].second;
    }

    // A user who knows what to do: p and q typed on the keypad, then Calculate. The numbers are
    // mostly fine, sometimes out of range or malformed.
    std::string enterEquation() {
        auto page = shownPage<CalculateViewController>();
        if (!page) return "no calculate page";
        static const std::vector<std::string> odd = {"", "-", "/", "3/0", "1.2.3", "--4", "0.5/", "99999999999"};
        static const std::vector<std::string> endings = {"", "", "", "", ".5", ".25", "/3", "/12"};
        auto number = [&] { return chance(0.15) ? pick(odd) : std::to_string(below(200) - 100) + pick(endings); };
        std::string equation;
        for (const auto& field : {page->pTextField, page->qTextField}) {
            if (!h.focus(field)) return "the fields take no input";
            for (int n = 0; n < 40 && !field->text().empty(); ++n) h.tap(page->deleteButton);
            std::string text = number();
            for (char c : text)
                if (auto k = keyIn(*page->keypadStackView, std::string(1, c))) h.tap(k);
            equation += "'" + text + "' ";
        }
        h.tap(page->calculateButton);
        return "solve p, q = " + equation;
    }

    // As the window hands keys to the focused field.
    std::string typeOnKeyboard() {
        const std::string& key = chance(0.85) ? pick(typedKeys) : pick(junkKeys);
        auto field = std::dynamic_pointer_cast<UITextField>(UIResponder::currentFirstResponder());
        if (!field) return "typing without a field";
        key == "\b" ? field->deleteBackward() : key == "\n" ? void(field->pressReturn()) : field->insertText(key);
        h.runUntilIdle();
        return "type '" + key + "'";
    }

    // Whatever is presented: a dialog's button, a star of the rating prompt, or any of its controls.
    std::string answer(const std::shared_ptr<UIViewController>& top) {
        CGSize size = h.window()->bounds().size;
        std::optional<render::DialogLayout> layout;
        if (auto alert = std::dynamic_pointer_cast<UIAlertController>(top)) layout = render::alertLayout(*alert, size);
        if (auto sheet = std::dynamic_pointer_cast<UIActivityViewController>(top))
            layout = render::shareSheetLayout(*sheet, size);
        if (layout && layout->buttons.empty()) {
            h.advance(uniform(0.5, 4));
            return "wait out a dialog without buttons";
        }
        if (layout) {
            const render::DialogButton& button = pick(layout->buttons);
            CGPoint centre{button.frame.midX(), button.frame.midY()};
            touch(centre, centre, 0);
            return "dialog button '" + button.title + "'";
        }
        if (auto rating = std::dynamic_pointer_cast<RatingViewController>(top); rating && chance(0.4)) {
            CGRect stars = rating->StarRatingView->bounds();
            h.tap(rating->StarRatingView, {uniform(0, stars.size.width), stars.midY()});
            return "rating: stars";
        }
        tapAControlUnder(top->view());
        return "a control of the presented screen";
    }

    std::string tapMenuRow() {
        auto table = menu().tableView();
        NSIndexPath row{below(table->numberOfSections()), 0};
        if (table->numberOfRowsInSection(row.section) == 0) return "empty menu section";
        row.row = below(table->numberOfRowsInSection(row.section));
        if (row.section == 1) noteContactTap();
        h.tapRow(table, row);
        return "menu row " + std::to_string(row.section) + "/" + std::to_string(row.row);
    }

    // Rows: open (0, 1), swipe to delete (2, 3), drag (4), edit control (5); buttons: edit (6-8),
    // clear (9), and on an empty history now and then the menu button.
    std::string actOnHistory(HistoryTableViewController& history) {
        auto table = history.tableView();
        int64_t rows = table->numberOfRowsInSection(0);
        int64_t choice = rows > 0 ? below(10) : 6 + below(4);
        if (choice >= 6) {
            h.tap(rows == 0 && chance(0.5) ? std::shared_ptr<UIView>(toolbar()->menuButton)
                  : choice <= 8            ? history.editButton
                                           : history.clearAllButton);
            return "history: button " + std::to_string(choice);
        }
        NSIndexPath row{0, below(rows)};
        table->scrollToRowAtIndexPath(row, UITableViewScrollPosition::None, false);
        h.runUntilIdle();
        auto cell = table->cellForRowAtIndexPath(row);
        if (!cell) return "history row not shown";
        CGRect bounds = cell->bounds();
        if (choice <= 1) {
            h.tapRow(table, row);
        } else if (choice <= 3) {
            h.swipe(cell, {bounds.size.width - 20, bounds.midY()}, {bounds.size.width - 200, bounds.midY()});
            if (chance(0.7)) h.tap(cell->deleteConfirmationButton());
        } else if (std::shared_ptr<UIView> control = choice == 4 ? std::shared_ptr<UIView>(cell->reorderControl())
                                                                   : cell->editControl()) {
            CGPoint grip{control->bounds().midX(), control->bounds().midY()};
            if (choice == 4) h.drag(control, grip, {grip.x, grip.y + uniform(-150, 150)});
            else h.tap(control);
        }
        return "history: row action " + std::to_string(choice);
    }

    // One entry per successful calculation since launch, less the entries the user removed.
    int64_t expectedHistoryLength() const {
        int64_t length = historyAtLaunch + int64_t(h.analytics().eventsNamed("ketu_calculate").size()) -
                         int64_t(h.analytics().eventsNamed("tapped_history_delete_single_calc").size());
        for (const auto& clear : h.analytics().eventsNamed("tapped_history_clear"))
            length -= clear.parameters.at("calc_count").get<int64_t>();
        return length;
    }

    std::optional<size_t> contactsBefore;
    std::mt19937 random;
    int64_t historyAtLaunch = 0;
};

TEST_F(MonkeyTest, TenThousandRandomActionsLeaveTheAppRunningAndTheHistoryCounted) {
    // The contact rows' internet check reaches a server on this machine, never the internet.
    LocalHttpServer online;
    ScopedEnvironment check("RADIXEL_INTERNET_CHECK_URL", online.url("/"));
    h.linkOpener().installURLHandler("https");
    const char* given = std::getenv("RADIXEL_MONKEY_SEED");
    const unsigned seed = given && *given ? unsigned(std::strtoul(given, nullptr, 10)) : std::random_device{}();
    random.seed(seed);
    SCOPED_TRACE("repeat with RADIXEL_MONKEY_SEED=" + std::to_string(seed));
    // Tutorial videos held from an earlier fetch, so the solution page has its video row, with
    // its consent and its introduction.
    holdRemoteValues(videoTutorials({"https://youtu.be/first", "https://youtu.be/second"}));
    launch(Answers{});
    historyAtLaunch = int64_t(CalcManager::shared().calculations.size());

    std::deque<std::string> lastActions;
    std::shared_ptr<UIViewController> lastTop;
    int sameTopFor = 0;
    auto report = [&] {
        std::string out = "last actions:";
        for (const auto& action : lastActions) out += "\n  " + action;
        return out;
    };
    for (int i = 0; i < actionCount; ++i) {
        contactsBefore.reset();
        const size_t links = h.linkOpener().openedURLs().size();
        lastActions.push_back(std::to_string(i) + ": " + act());
        // A contact row asks the (local) internet check first, whose answer comes on another
        // thread: wait for it, so that the run goes on as its seed says.
        if (contactsBefore && contactTaps() > *contactsBefore)
            h.runUntil([&] { return h.presentedAlert() || h.linkOpener().openedURLs().size() > links; }, 2.0);
        if (lastActions.size() > 25) lastActions.pop_front();
        ASSERT_TRUE(drawer()) << "the drawer is no longer the window's root\n" << report();
        // Whatever is presented, the user can get past it.
        auto top = h.topViewController();
        sameTopFor = top == lastTop ? sameTopFor + 1 : 0;
        lastTop = top;
        ASSERT_TRUE(top == drawer() || sameTopFor < 500) << "the user is stuck under a presented screen\n" << report();
        if (i % 500 != 499) continue;  // checked after the last action too
        ASSERT_EQ(int64_t(CalcManager::shared().calculations.size()), expectedHistoryLength())
            << "after action " << i << "\n" << report();
    }
    lastTop.reset();
    EXPECT_GT(h.analytics().eventsNamed("ketu_calculate").size(), 0u);

    // What the user sees is what a restart loads.
    const size_t shown = CalcManager::shared().calculations.size();
    restart();
    EXPECT_EQ(CalcManager::shared().calculations.size(), shown);

    // The run went everywhere the drawer leads.
    for (const char* place :
         {"tapped_menu_calculate", "tapped_menu_history", "tapped_onboarding", "tapped_privacy_policy",
          "tapped_rate_app", "tapped_discord", "Tapped App Link", "tapped_history_item"})
        EXPECT_FALSE(h.analytics().eventsNamed(place).empty()) << "the monkey never reached " << place;
}

}  // namespace
