#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include <nlohmann/json.hpp>

#include "Radixel/AppDelegate.hpp"
#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/screens/history/HistoryTableViewController.hpp"
#include "Radixel/screens/menu/LeftViewController.hpp"
#include "Radixel/screens/rating/RatingViewController.hpp"
#include "Radixel/screens/root/AppToolbarController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/screens/solution/SolutionStepTableViewCell.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "WindowCapture.hpp"
#include "measurement/storage/APMDatabase.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/material/NavigationDrawerController.hpp"
#include "platform/render/DialogLayout.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "support/ScratchFolder.hpp"

namespace {

// The program under a virtual display, with a data folder of its own. In sanitizer builds the
// program's own leak check runs at its exit. The display keeps its state when its last client
// leaves (-noreset), since the window searches connect and leave while the program is starting.
std::string underVirtualDisplay(const ScratchFolder& data, const std::string& command)
{
    return "RADIXEL_DATA_DIR=" + data.path().string() +
           " LSAN_OPTIONS=suppressions=" RADIXEL_WINDOW_SUPPRESSIONS " timeout 90 xvfb-run -a -s '-screen 0 600x1000x24 -noreset' " + command;
}

nlohmann::json answeredDefaults()
{
    return {{"isOnboardingFinished", true}, {"isDsgvoAccepted", true}};
}

void writeDefaults(const std::filesystem::path& folder, const nlohmann::json& defaults)
{
    std::ofstream(folder / "defaults.json") << defaults.dump();
}

// A history entry as the store writes it.
nlohmann::json historyRecord(const std::string& p, const std::string& q)
{
    return {{"inputParameters", {{"p", p}, {"q", q}}},
            {"latexString", "p = " + p + ", q = " + q},
            {"solutionSteps", nlohmann::json::array()},
            {"setupParameter", {{"appKey", "ZV"}}}};
}

nlohmann::json storedDefaults(const std::filesystem::path& folder)
{
    return nlohmann::json::parse(std::ifstream(folder / "defaults.json"), nullptr, false);
}

// The summaries of the stored history, newest first.
std::vector<std::string> storedHistory(const std::filesystem::path& folder)
{
    std::vector<std::string> summaries;
    nlohmann::json stored = storedDefaults(folder);
    if (stored.is_object() && stored.contains("Calculations") && stored["Calculations"].is_array()) {
        for (const auto& record : stored["Calculations"]) {
            summaries.push_back(record.value("latexString", "?"));
        }
    }
    return summaries;
}

CGPoint inWindow(UIView& view, CGPoint point)
{
    return view.convertPointToView(point, view.window().get());
}

CGPoint centreInWindow(UIView& view)
{
    CGRect bounds = view.bounds();
    return inWindow(view, {bounds.midX(), bounds.midY()});
}

// The same application without a window, on a screen like the window host's: what the window
// must show after the same input.
class HeadlessTwin {
public:
    // Launched on these defaults, as the program is on the same file.
    explicit HeadlessTwin(const nlohmann::json& defaults = answeredDefaults()) : defaults_(defaults)
    {
        app_ = h_.launch<AppDelegate>();
        fetches_.manager = RemoteConfigManager::shared().weak_from_this();
    }
    CalculateViewController& screen() { return *app_->calculateViewController(); }
    AppDelegate& app() { return *app_; }
    Material::NavigationDrawerController& drawer()
    {
        return dynamic_cast<Material::NavigationDrawerController&>(*h_.rootViewController());
    }
    std::shared_ptr<UIViewController> shownInToolbar()
    {
        auto toolbar = std::dynamic_pointer_cast<AppToolbarController>(drawer().rootViewController());
        return toolbar ? toolbar->rootViewController() : nullptr;
    }
    std::shared_ptr<UIView> key(const std::string& title) { return LaunchedApp::keyIn(*screen().keypadStackView, title); }
    uikit::testing::Harness& harness() { return h_; }

    RGBPicture picture()
    {
        h_.finishAnimations();
        h_.runUntilIdle();
        auto window = h_.window();
        CGSize size = window->bounds().size;
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(size.width), int(size.height));
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        window->layoutIfNeeded();
        window->layer()->renderInContext(cr);
        cairo_destroy(cr);
        RGBPicture picture = pictureOf(surface);
        cairo_surface_destroy(surface);
        return picture;
    }

private:
    // The file is in place before anything reads the defaults.
    struct SeededDefaults : ScratchDefaults {
        explicit SeededDefaults(const nlohmann::json& defaults) { writeDefaults(folder.path(), defaults); }
    };

    SeededDefaults defaults_;
    // So that the next twin does not hear this one's remote configuration arrive.
    LaunchedApp::BackgroundFetches fetches_;
    uikit::testing::Harness h_{uikit::testing::Harness::Options{{390, 844}, 1, {0, 0, 0, 0}}};
    std::shared_ptr<AppDelegate> app_;
};

// The window and the twin draw with the same code, so they agree to the pixel once settled. The
// margin is a few dozen pixels; a row in another place or one star more differs in several times
// as many.
constexpr double sameShare = 0.0002;

// Each input given twice: to the headless twin, and as real X input at the same place in the
// program's window; then the window has to come to show what the twin shows. Places are read
// from the twin's views before its input, since a row moves while it is dragged.
class MirroredInput {
public:
    MirroredInput(HeadlessTwin& twin, WindowSession& window) : twin_(twin), window_(window) {}

    bool click(const std::shared_ptr<UIView>& view)
    {
        if (!view) {
            return false;
        }
        CGPoint at = centreInWindow(*view);
        return twin_.harness().tap(view) && window_.click(int(at.x), int(at.y));
    }
    bool clickRow(const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath)
    {
        auto cell = table->cellForRowAtIndexPath(indexPath);
        if (!cell) {
            return false;
        }
        CGPoint at = centreInWindow(*cell);
        return twin_.harness().tapRow(table, indexPath) && window_.click(int(at.x), int(at.y));
    }
    bool clickAt(const std::shared_ptr<UIView>& view, CGPoint point)
    {
        CGPoint at = inWindow(*view, point);
        return twin_.harness().tap(view, point) && window_.click(int(at.x), int(at.y));
    }
    // From and to in the view's own coordinates; a swipe is a few large steps, a drag many.
    bool drag(const std::shared_ptr<UIView>& view, CGPoint from, CGPoint to, bool swipe = false)
    {
        int steps = swipe ? 4 : 12;
        std::vector<std::pair<int, int>> path;
        for (int step = 0; step <= steps; ++step) {
            double t = double(step) / steps;
            CGPoint at = inWindow(*view, {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
            path.emplace_back(int(at.x), int(at.y));
        }
        auto& h = twin_.harness();
        bool taken = swipe ? h.swipe(view, from, to) : h.drag(view, from, to, steps);
        return taken && window_.drag(path);
    }
    // The share of the window's pixels that still differ from the twin's once it has settled
    // (or the time is up).
    double settle() { return window_.waitUntilShows(twin_.picture(), sameShare, 30); }

private:
    HeadlessTwin& twin_;
    WindowSession& window_;
};

// The program and its headless twin, launched on the same defaults; the program's window is found
// and shows what the twin shows before the test begins.
class AppWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveCommand("xvfb-run") || !haveCommand("xdotool") || !haveCommand("xwd")) {
            GTEST_SKIP() << "xvfb-run, xdotool or xwd is not installed";
        }
    }
    // Answers whether the window came up; the twin's picture is the one to wait for unless told.
    bool start(const nlohmann::json& defaults, bool settled = true)
    {
        twin.emplace(defaults);
        writeDefaults(data.path(), defaults);
        window.emplace(data.path(), RADIXEL_APP_PATH, [&](const std::string& line) { return underVirtualDisplay(data, line); });
        input.emplace(*twin, *window);
        if (!window->waitForWindow(30)) {
            ADD_FAILURE() << window->output();
            return false;
        }
        if (settled && input->settle() >= sameShare) {
            ADD_FAILURE() << "the calculate screen at launch\n" << window->output();
            return false;
        }
        return true;
    }
    // The first four starts are over.
    static nlohmann::json laterStart(int counterForRating, std::vector<nlohmann::json> history)
    {
        nlohmann::json defaults = answeredDefaults();
        defaults["isFirstStartDone"] = true;
        defaults["counterForRating"] = counterForRating;
        defaults["Calculations"] = history;
        return defaults;
    }

    ScratchFolder data;
    std::optional<HeadlessTwin> twin;
    std::optional<WindowSession> window;
    std::optional<MirroredInput> input;
};

} // namespace

TEST(AppProgram, FirstStartDrawsTheIntroductionUnderThePrivacyPromptAndEnds)
{
    if (!haveCommand("xvfb-run")) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ScratchFolder data;
    auto shot = data.path() / "first-start.png";
    CommandResult run = runCommand(underVirtualDisplay(data, RADIXEL_APP_PATH " --scale 2 --screenshot " + shot.string()));
    ASSERT_EQ(run.status, 0) << run.output;
    auto image = UIImage::imageWithContentsOfFile(shot);
    ASSERT_TRUE(image);
    RGBPicture picture = pictureOf(image->CGImage());
    ASSERT_EQ(picture.width, 780);
    ASSERT_EQ(picture.height, 1688);
    // The prompt's white card with dark text lies over the introduction's picture.
    size_t light = 0;
    size_t dark = 0;
    for (uint32_t pixel : picture.pixels) {
        int g = (pixel >> 8) & 0xff;
        light += g > 200;
        dark += g < 60;
    }
    EXPECT_GT(light, picture.pixels.size() / 4);
    EXPECT_GT(dark, 2000u);
    // The first start seeded the history into the data folder.
    EXPECT_NE(runCommand("grep -c 7/3 " + (data.path() / "defaults.json").string()).output, "0\n");
}

TEST_F(AppWindow, RealClicksAndKeysSolveAndTheWindowShowsTheSolutionPage)
{
    ASSERT_TRUE(start(answeredDefaults()));
    auto& screen = twin->screen();

    // p with the mouse on the keypad; q typed on the keyboard, a slip corrected with Backspace.
    // Clicks between two keys and on the heading change nothing: the keys after them still type
    // into p.
    ASSERT_TRUE(input->click(screen.pTextField));
    for (const char* title : {"-", "2", ".", "4"}) {
        ASSERT_TRUE(input->click(twin->key(title))) << title;
        if (std::string(title) == "2") {
            CGPoint two = centreInWindow(*twin->key("2"));
            CGPoint three = centreInWindow(*twin->key("3"));
            CGPoint heading = centreInWindow(*screen.fillInLabel.lock());
            ASSERT_TRUE(window->click(int((two.x + three.x) / 2), int(two.y)) && window->click(int(heading.x), int(heading.y)));
        }
    }
    ASSERT_TRUE(input->click(screen.qTextField));
    ASSERT_TRUE(window->type("7/4") && window->key("BackSpace") && window->type("3"));
    screen.qTextField->insertText("7/4");
    screen.qTextField->deleteBackward();
    screen.qTextField->insertText("3");
    ASSERT_TRUE(input->click(screen.calculateButton));
    ASSERT_EQ(screen.qTextField->text(), "7/3");
    EXPECT_LT(input->settle(), sameShare) << "the solution page";

    // The wheel and a drag upwards, both starting on a formula, move the list of steps.
    auto steps = twin->app().solutionViewController()->tableView;
    auto formula = [&](int64_t row) {
        auto cell = std::dynamic_pointer_cast<SolutionStepTableViewCell>(steps->cellForRowAtIndexPath({0, row}));
        return cell ? centreInWindow(*cell->mathLabel) : CGPoint{-1, -1};
    };
    CGPoint onFormula = formula(3);
    ASSERT_TRUE(window->wheel(int(onFormula.x), int(onFormula.y), 3));
    steps->setContentOffset({0, 120});
    EXPECT_LT(input->settle(), sameShare) << "three wheel steps down";
    onFormula = formula(6);
    ASSERT_TRUE(window->drag({{int(onFormula.x), int(onFormula.y)}, {int(onFormula.x), int(onFormula.y) - 100},
                              {int(onFormula.x), int(onFormula.y) - 200}}));
    steps->setContentOffset({0, 320});
    EXPECT_LT(input->settle(), sameShare) << "a drag 200 points up";

    // The calculation went into the history in the data folder, before the example.
    EXPECT_EQ(window->finish(), 0) << window->output();
    auto stored = storedDefaults(data.path());
    ASSERT_TRUE(stored.contains("Calculations")) << stored.dump();
    EXPECT_EQ(stored["Calculations"][0]["inputParameters"], (nlohmann::json{{"p", "-2.4"}, {"q", "7/3"}}));
}

TEST_F(AppWindow, TheMenuLeadsToTheHistoryWhereTheMouseSwipesAnEntryAwayAndDragsAnotherToANewPlace)
{
    // Few rows, so every row has its cell from the start.
    ASSERT_TRUE(start(laterStart(100, {historyRecord("4", "-4"), historyRecord("3", "-3"), historyRecord("2", "-2"), historyRecord("1", "-1")})));
    auto summary = [](const std::string& p) { return historyRecord(p, "-" + p)["latexString"].get<std::string>(); };

    auto toolbar = std::dynamic_pointer_cast<AppToolbarController>(twin->drawer().rootViewController());
    ASSERT_TRUE(toolbar);
    ASSERT_TRUE(input->click(toolbar->menuButton));
    ASSERT_TRUE(twin->drawer().isLeftViewOpened());
    ASSERT_LT(input->settle(), sameShare) << "the open menu";
    auto menu = twin->app().leftViewController();
    ASSERT_EQ(menu->mainSectionRows.at(1), NSLocalizedString("History", ""));
    ASSERT_TRUE(input->clickRow(menu->tableView(), {0, 1}));
    auto history = std::dynamic_pointer_cast<HistoryTableViewController>(twin->shownInToolbar());
    ASSERT_TRUE(history);
    ASSERT_LT(input->settle(), sameShare) << "the history";

    // A swipe to the left on the second row reveals its Delete, and a click on that deletes it.
    auto table = history->tableView();
    auto row = table->cellForRowAtIndexPath({0, 1});
    ASSERT_TRUE(row);
    CGFloat middle = row->bounds().midY();
    ASSERT_TRUE(input->drag(row, {row->bounds().size.width - 60, middle}, {100, middle}, true));
    ASSERT_TRUE(row->deleteConfirmationButton());
    ASSERT_LT(input->settle(), sameShare) << "the row showing Delete";
    ASSERT_TRUE(input->click(row->deleteConfirmationButton()));
    std::vector<std::string> afterDelete{summary("4"), summary("2"), summary("1")};
    EXPECT_TRUE(pollUntil([&] { return storedHistory(data.path()) == afterDelete; }, 30)) << storedDefaults(data.path()).dump();
    EXPECT_LT(input->settle(), sameShare) << "the history without the deleted row";

    // In editing mode the first row, dragged by its reorder control onto the last, lands there.
    ASSERT_TRUE(input->click(history->editButton));
    ASSERT_TRUE(table->isEditing());
    ASSERT_LT(input->settle(), sameShare) << "the history in editing mode";
    auto grip = table->cellForRowAtIndexPath({0, 0})->reorderControl();
    auto target = table->cellForRowAtIndexPath({0, 2})->reorderControl();
    ASSERT_TRUE(grip && target);
    CGPoint from{grip->bounds().midX(), grip->bounds().midY()};
    CGPoint to = target->convertPointToView({target->bounds().midX(), target->bounds().midY()}, grip.get());
    ASSERT_TRUE(input->drag(grip, from, to));
    std::vector<std::string> afterMove{summary("2"), summary("1"), summary("4")};
    EXPECT_TRUE(pollUntil([&] { return storedHistory(data.path()) == afterMove; }, 30)) << storedDefaults(data.path()).dump();
    EXPECT_LT(input->settle(), sameShare) << "the history in its new order";

    EXPECT_EQ(window->finish(), 0) << window->output();
    EXPECT_EQ(storedHistory(data.path()), afterMove);
}

TEST_F(AppWindow, TheRatingPromptAtTheFifthCheckTakesStarsClickedAndDraggedAndIsNotAskedAgain)
{
    // Four checks have passed: the calculate screen's check at launch is the fifth.
    ASSERT_TRUE(start(laterStart(1, {historyRecord("1", "-1")}), false));
    ASSERT_LT(input->settle(), sameShare) << "the rating prompt at launch\n" << window->output();
    auto& rating = RatingViewController::shared();
    ASSERT_TRUE(rating.isShownInSession && rating.StarRatingView);

    // A click on the fifth star, then a drag from there back to the third.
    const Cosmos::CosmosSettings& settings = rating.StarRatingView->settings();
    auto star = [&](int number) {
        return CGPoint{(number - 1) * (settings.starSize + settings.starMargin) + settings.starSize / 2, settings.starSize / 2};
    };
    ASSERT_TRUE(input->clickAt(rating.StarRatingView, star(5)));
    ASSERT_EQ(rating.StarRatingView->rating(), 5.0);
    ASSERT_LT(input->settle(), sameShare) << "five stars";
    ASSERT_TRUE(input->drag(rating.StarRatingView, star(5), star(3)));
    ASSERT_EQ(rating.StarRatingView->rating(), 3.0);
    ASSERT_LT(input->settle(), sameShare) << "three stars";

    // Fewer than four stars are only thanked for, and the countdown ends for good.
    ASSERT_TRUE(input->click(rating.sendRatingButton));
    EXPECT_TRUE(pollUntil([&] { return storedDefaults(data.path()).value("isRatingAlreadyDone", false); }, 30))
        << storedDefaults(data.path()).dump();
    auto thanks = twin->harness().presentedAlert();
    ASSERT_TRUE(thanks);
    ASSERT_LT(input->settle(), sameShare) << "the thanks";
    auto windowSize = twin->harness().window()->bounds().size;
    render::DialogLayout layout = render::alertLayout(*thanks, windowSize);
    ASSERT_EQ(layout.buttons.size(), 1u);
    ASSERT_EQ(layout.buttons[0].title, LocalizedString::close());
    CGRect close = layout.buttons[0].frame;
    ASSERT_TRUE(twin->harness().tapAlertAction(LocalizedString::close()));
    ASSERT_TRUE(window->click(int(close.midX()), int(close.midY())));
    EXPECT_LT(input->settle(), sameShare) << "the calculate screen again";

    EXPECT_EQ(window->finish(), 0) << window->output();
    nlohmann::json stored = storedDefaults(data.path());
    EXPECT_EQ(stored.value("isRatingAlreadyDone", false), true) << stored.dump();
    EXPECT_EQ(stored.value("counterForRating", -1), 0) << stored.dump();
    auto events = APMDatabase::open(data.path() / "measurement" / "rezuvu-app-measurement.sql");
    ASSERT_TRUE(events);
    std::vector<nlohmann::json> rated;
    for (const APMEvent& event : events->readEvents()) {
        if (event.name == "tapped_rated_app") {
            rated.push_back(event.parameters);
        }
    }
    EXPECT_EQ(rated, (std::vector<nlohmann::json>{{{"app", "ZV"}, {"rating", 3.0}}}));
}

TEST(AppProgram, WithoutADisplayItSaysHowToRunIt)
{
    // A folder of its own: one a running window has would be refused first.
    ScratchFolder data;
    std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER RADIXEL_DATA_DIR=" + data.path().string();
    CommandResult run = runCommand(noDisplay + " timeout 20 " RADIXEL_APP_PATH);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("xvfb-run"), std::string::npos) << run.output;

    CommandResult lost = runCommand(noDisplay + " RADIXEL_RESOURCES=" + data.path().string() + "/none timeout 20 " RADIXEL_APP_PATH);
    EXPECT_NE(lost.output.find("no resource folder at " + data.path().string() + "/none"), std::string::npos) << lost.output;

    CommandResult bad = runCommand(noDisplay + " timeout 20 " RADIXEL_APP_PATH " --scale many");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("--scale"), std::string::npos) << bad.output;
}

TEST_F(AppWindow, ASecondStartOnTheSameDataFolderIsRefusedAndTheFirstWindowKeepsItsData)
{
    ASSERT_TRUE(start(laterStart(100, {historyRecord("1", "2")})));
    // Each run saves the whole file from its own memory: a second one would drop the first's
    // entries. Without a display it can say so only on standard error.
    std::string second = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER RADIXEL_DATA_DIR=" + data.path().string() +
                         " timeout 20 " RADIXEL_APP_PATH;
    CommandResult refused = runCommand(second);
    EXPECT_EQ(refused.status, 3) << refused.output;
    EXPECT_NE(refused.output.find(data.path().string()), std::string::npos) << refused.output;

    // The first window goes on, and what it does is kept.
    auto& screen = twin->screen();
    ASSERT_TRUE(input->click(screen.pTextField));
    ASSERT_TRUE(window->type("3"));
    screen.pTextField->insertText("3");
    ASSERT_TRUE(input->click(screen.qTextField) && window->type("2"));
    screen.qTextField->insertText("2");
    ASSERT_TRUE(input->click(screen.calculateButton));
    EXPECT_LT(input->settle(), sameShare) << "the solution page";
    EXPECT_EQ(window->finish(), 0) << window->output();
    EXPECT_EQ(storedHistory(data.path()).size(), 2u);

    // A run that was killed leaves no claim behind: the next start gets as far as the display.
    ASSERT_TRUE(start(laterStart(100, {}), false));
    input.reset();
    window.reset();  // kill -9
    CommandResult next = runCommand(second);
    EXPECT_EQ(next.status, 1) << next.output;
}
