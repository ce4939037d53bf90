#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include <nlohmann/json.hpp>

#include "Radixel/screens/rating/RatingViewController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/screens/solution/SolutionStepTableViewCell.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "WindowCapture.hpp"
#include "measurement/storage/APMDatabase.hpp"
#include "Radixel/services/SavedDataAlert.hpp"
#include "platform/foundation/AtomicFile.hpp"
#include "platform/foundation/FolderClaim.hpp"
#include "platform/render/BitmapCanvas.hpp"
#include "platform/render/DialogLayout.hpp"
#include "platform/uikit/UITableViewCell.hpp"

namespace {

// The program's environment: a data folder of its own, and in sanitizer builds the suppressions
// for its own leak check at exit.
std::string withDataIn(const ScratchFolder& data)
{
    return "RADIXEL_DATA_DIR=" + data.path().string() + " LSAN_OPTIONS=suppressions=" RADIXEL_WINDOW_SUPPRESSIONS " ";
}

// The program as a shell line, without any display to open its window on, or told of an X
// display that may not be there.
std::string withoutDisplay(const ScratchFolder& data, const std::string& arguments = "", const std::string& x11 = "")
{
    return "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " + (x11.empty() ? "" : "DISPLAY=" + x11 + " ") + withDataIn(data) +
           "timeout 20 " RADIXEL_APP_PATH + arguments;
}

nlohmann::json answeredDefaults()
{
    return {{"isOnboardingFinished", true}, {"isDsgvoAccepted", true}};
}

// The first four starts are over.
nlohmann::json laterStart(int counterForRating, const std::vector<nlohmann::json>& history)
{
    nlohmann::json defaults = answeredDefaults();
    defaults["isFirstStartDone"] = true;
    defaults["counterForRating"] = counterForRating;
    defaults["Calculations"] = history;
    return defaults;
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

// The summaries of the stored history, newest first; none while the file is half written.
std::vector<std::string> storedHistory(const std::filesystem::path& folder)
{
    std::vector<std::string> summaries;
    nlohmann::json stored = storedDefaults(folder);
    for (const auto& record : stored.is_object() ? stored.value("Calculations", nlohmann::json::array()) : nlohmann::json::array()) {
        summaries.push_back(record.value("latexString", "?"));
    }
    return summaries;
}

CGPoint inWindow(UIView& view, CGPoint point)
{
    return view.convertPointToView(point, view.window().get());
}

CGPoint centreInWindow(UIView& view)
{
    return inWindow(view, {view.bounds().midX(), view.bounds().midY()});
}

// The same application without a window, on a screen like the window host's: what the window
// must show after the same input.
struct HeadlessTwin {
    // Launched on these defaults, as the program is on the same file.
    explicit HeadlessTwin(const nlohmann::json& defaults) : defaults(defaults)
    {
        app = h.launch<AppDelegate>();
        fetches.manager = RemoteConfigManager::shared().weak_from_this();
    }
    CalculateViewController& screen() { return *app->calculateViewController(); }
    Material::NavigationDrawerController& drawer() { return dynamic_cast<Material::NavigationDrawerController&>(*h.rootViewController()); }
    auto toolbar() { return std::dynamic_pointer_cast<AppToolbarController>(drawer().rootViewController()); }
    std::shared_ptr<UIView> key(const std::string& title) { return LaunchedApp::keyIn(*screen().keypadStackView, title); }

    RGBPicture picture(CGFloat scale = 1)
    {
        h.finishAnimations();
        h.runUntilIdle();
        auto window = h.window();
        auto canvas = render::BitmapCanvas::make(window->bounds().size, scale);
        cairo_set_source_rgb(canvas->context(), 0, 0, 0);
        cairo_paint(canvas->context());
        window->layoutIfNeeded();
        window->layer()->renderInContext(canvas->context());
        return pictureOf(canvas->surface());
    }

    // The file is in place before anything reads the defaults.
    struct SeededDefaults : ScratchDefaults {
        explicit SeededDefaults(const nlohmann::json& defaults) { writeDefaults(folder.path(), defaults); }
    } defaults;
    // So that the next twin does not hear this one's remote configuration arrive.
    LaunchedApp::BackgroundFetches fetches;
    uikit::testing::Harness h{uikit::testing::Harness::Options{{390, 844}, 1, {0, 0, 0, 0}}};
    std::shared_ptr<AppDelegate> app;
};

// The window and the twin draw with the same code, so they agree to the pixel once settled. The
// margin is a few dozen pixels; a row in another place or one star more differs in several times
// as many.
constexpr double sameShare = 0.0002;

// The program and its headless twin, launched on the same defaults. Each input is given twice:
// to the twin, and as real X input at the same place in the program's window; then the window
// has to come to show what the twin shows. Places are read from the twin's views before its
// input, since a row moves while it is dragged.
class AppWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveCommand("Xvfb") || !haveCommand("xdotool") || !haveCommand("xwd")) {
            GTEST_SKIP() << "Xvfb, xdotool or xwd is not installed";
        }
    }
    // Answers whether the window came up; unless told, it must show what the twin shows.
    bool start(const nlohmann::json& defaults, bool settled = true)
    {
        twin.emplace(defaults);
        writeDefaults(data.path(), defaults);
        window.emplace(data.path(), withDataIn(data) + RADIXEL_APP_PATH);
        if (!window->waitForWindow(30)) {
            ADD_FAILURE() << window->output();
            return false;
        }
        if (settled && settle() >= sameShare) {
            ADD_FAILURE() << "the calculate screen at launch\n" << window->output();
            return false;
        }
        return true;
    }

    bool click(const std::shared_ptr<UIView>& view)
    {
        CGPoint at = view ? centreInWindow(*view) : CGPoint{};
        return view && twin->h.tap(view) && window->click(int(at.x), int(at.y));
    }
    bool clickAt(const std::shared_ptr<UIView>& view, CGPoint point)
    {
        CGPoint at = inWindow(*view, point);
        return twin->h.tap(view, point) && window->click(int(at.x), int(at.y));
    }
    // Keys typed on the keyboard into the field, once it has been clicked.
    bool typeInto(const std::shared_ptr<UITextField>& field, const std::string& text)
    {
        if (!click(field) || !window->type(text)) {
            return false;
        }
        field->insertText(text);
        return true;
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
        bool taken = swipe ? twin->h.swipe(view, from, to) : twin->h.drag(view, from, to, steps);
        return taken && window->drag(path);
    }
    // The share of the window's pixels that still differ from the twin's once it has settled
    // (or the time is up).
    double settle() { return window->waitUntilShows(twin->picture(), sameShare, 30); }

    ScratchFolder data;
    std::optional<HeadlessTwin> twin;
    std::optional<WindowSession> window;
};

} // namespace

TEST(AppProgram, FirstStartDrawsTheIntroductionUnderThePrivacyPromptAndEnds)
{
    if (!haveCommand("xvfb-run")) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ScratchFolder data;
    auto shot = data.path() / "first-start.png";
    CommandResult run =
        runCommand(withDataIn(data) + "timeout 90 xvfb-run -a -s '-screen 0 600x1000x24' " RADIXEL_APP_PATH " --scale 2 --screenshot " +
                   shot.string());
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
    EXPECT_GT(dark, picture.pixels.size() / 15);  // faded in: the first frame has a third less
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
    ASSERT_TRUE(click(screen.pTextField));
    for (const char* title : {"-", "2", ".", "4"}) {
        ASSERT_TRUE(click(twin->key(title))) << title;
        if (std::string(title) == "2") {
            CGPoint two = centreInWindow(*twin->key("2"));
            CGPoint three = centreInWindow(*twin->key("3"));
            CGPoint heading = centreInWindow(*screen.fillInLabel.lock());
            ASSERT_TRUE(window->click(int((two.x + three.x) / 2), int(two.y)) && window->click(int(heading.x), int(heading.y)));
        }
    }
    ASSERT_TRUE(typeInto(screen.qTextField, "7/4") && window->key("BackSpace") && window->type("3"));
    screen.qTextField->deleteBackward();
    screen.qTextField->insertText("3");
    ASSERT_TRUE(click(screen.calculateButton));
    ASSERT_EQ(screen.qTextField->text(), "7/3");
    EXPECT_LT(settle(), sameShare) << "the solution page";

    // The wheel and a drag upwards, both starting on a formula, move the list of steps.
    auto steps = twin->app->solutionViewController()->tableView;
    auto formula = [&](int64_t row) {
        auto cell = std::dynamic_pointer_cast<SolutionStepTableViewCell>(steps->cellForRowAtIndexPath({0, row}));
        return cell ? centreInWindow(*cell->mathLabel) : CGPoint{-1, -1};
    };
    CGPoint onFormula = formula(3);
    ASSERT_TRUE(window->wheel(int(onFormula.x), int(onFormula.y), 3));
    steps->setContentOffset({0, 120});
    EXPECT_LT(settle(), sameShare) << "three wheel steps down";
    onFormula = formula(6);
    ASSERT_TRUE(window->drag({{int(onFormula.x), int(onFormula.y)}, {int(onFormula.x), int(onFormula.y) - 100},
                              {int(onFormula.x), int(onFormula.y) - 200}}));
    steps->setContentOffset({0, 320});
    EXPECT_LT(settle(), sameShare) << "a drag 200 points up";

    // The calculation went into the history in the data folder, before the example.
    EXPECT_EQ(window->finish(), 0) << window->output();
    auto stored = storedDefaults(data.path());
    ASSERT_TRUE(stored.contains("Calculations")) << stored.dump();
    EXPECT_EQ(stored["Calculations"][0]["inputParameters"], (nlohmann::json{{"p", "-2.4"}, {"q", "7/3"}}));
}

TEST_F(AppWindow, AtScaleTwoAClickLandsOnTheViewDrawnUnderIt)
{
    twin.emplace(answeredDefaults());
    writeDefaults(data.path(), answeredDefaults());
    window.emplace(data.path(), withDataIn(data) + RADIXEL_APP_PATH " --scale 2");
    ASSERT_TRUE(window->waitForWindow(30)) << window->output();
    ASSERT_LT(window->waitUntilShows(twin->picture(2), sameShare, 30), sameShare) << "the calculate screen at scale 2";
    // Each view's centre in the twin, in points: two pixels each way in the window.
    auto& screen = twin->screen();
    for (const std::shared_ptr<UIView>& view :
         std::vector<std::shared_ptr<UIView>>{screen.pTextField, twin->key("3"), screen.qTextField, twin->key("-"), twin->key("2"), screen.calculateButton}) {
        CGPoint at = centreInWindow(*view);
        ASSERT_TRUE(window->click(int(2 * at.x), int(2 * at.y)));
    }
    EXPECT_EQ(window->finish(), 0) << window->output();
    EXPECT_EQ(storedDefaults(data.path())["Calculations"][0]["inputParameters"], (nlohmann::json{{"p", "3"}, {"q", "-2"}}));
}

TEST_F(AppWindow, TheMenuLeadsToTheHistoryWhereTheMouseSwipesAnEntryAwayAndDragsAnotherToANewPlace)
{
    // Few rows, so every row has its cell from the start.
    ASSERT_TRUE(start(laterStart(100, {historyRecord("4", "-4"), historyRecord("3", "-3"), historyRecord("2", "-2"), historyRecord("1", "-1")})));
    auto summary = [](const std::string& p) { return historyRecord(p, "-" + p)["latexString"].get<std::string>(); };

    auto toolbar = twin->toolbar();
    ASSERT_TRUE(toolbar);
    ASSERT_TRUE(click(toolbar->menuButton));
    ASSERT_TRUE(twin->drawer().isLeftViewOpened());
    ASSERT_LT(settle(), sameShare) << "the open menu";
    ASSERT_TRUE(click(twin->app->leftViewController()->tableView()->cellForRowAtIndexPath({0, 1})));
    auto history = std::dynamic_pointer_cast<HistoryTableViewController>(toolbar->rootViewController());
    ASSERT_TRUE(history);
    ASSERT_LT(settle(), sameShare) << "the history";

    // A swipe to the left on the second row reveals its Delete, and a click on that deletes it.
    auto table = history->tableView();
    auto row = table->cellForRowAtIndexPath({0, 1});
    ASSERT_TRUE(row);
    CGFloat middle = row->bounds().midY();
    ASSERT_TRUE(drag(row, {row->bounds().size.width - 60, middle}, {100, middle}, true));
    ASSERT_TRUE(row->deleteConfirmationButton());
    ASSERT_LT(settle(), sameShare) << "the row showing Delete";
    ASSERT_TRUE(click(row->deleteConfirmationButton()));
    std::vector<std::string> afterDelete{summary("4"), summary("2"), summary("1")};
    EXPECT_TRUE(pollUntil([&] { return storedHistory(data.path()) == afterDelete; }, 30)) << storedDefaults(data.path()).dump();
    EXPECT_LT(settle(), sameShare) << "the history without the deleted row";

    // In editing mode the first row, dragged by its reorder control onto the last, lands there.
    ASSERT_TRUE(click(history->editButton));
    ASSERT_TRUE(table->isEditing());
    ASSERT_LT(settle(), sameShare) << "the history in editing mode";
    auto grip = table->cellForRowAtIndexPath({0, 0})->reorderControl();
    auto target = table->cellForRowAtIndexPath({0, 2})->reorderControl();
    ASSERT_TRUE(grip && target);
    CGPoint from{grip->bounds().midX(), grip->bounds().midY()};
    CGPoint to = target->convertPointToView({target->bounds().midX(), target->bounds().midY()}, grip.get());
    ASSERT_TRUE(drag(grip, from, to));
    std::vector<std::string> afterMove{summary("2"), summary("1"), summary("4")};
    EXPECT_TRUE(pollUntil([&] { return storedHistory(data.path()) == afterMove; }, 30)) << storedDefaults(data.path()).dump();
    EXPECT_LT(settle(), sameShare) << "the history in its new order";

    EXPECT_EQ(window->finish(), 0) << window->output();
    EXPECT_EQ(storedHistory(data.path()), afterMove);
}

TEST_F(AppWindow, TheRatingPromptAtTheFifthCheckTakesStarsClickedAndDraggedAndIsNotAskedAgain)
{
    // Four checks have passed: the calculate screen's check at launch is the fifth.
    ASSERT_TRUE(start(laterStart(1, {historyRecord("1", "-1")}), false));
    ASSERT_LT(settle(), sameShare) << "the rating prompt at launch\n" << window->output();
    auto& rating = RatingViewController::shared();
    ASSERT_TRUE(rating.isShownInSession && rating.StarRatingView);

    // A click on the fifth star, then a drag from there back to the third.
    const Cosmos::CosmosSettings& settings = rating.StarRatingView->settings();
    auto star = [&](int number) {
        return CGPoint{(number - 1) * (settings.starSize + settings.starMargin) + settings.starSize / 2, settings.starSize / 2};
    };
    ASSERT_TRUE(clickAt(rating.StarRatingView, star(5)));
    ASSERT_EQ(rating.StarRatingView->rating(), 5.0);
    ASSERT_LT(settle(), sameShare) << "five stars";
    ASSERT_TRUE(drag(rating.StarRatingView, star(5), star(3)));
    ASSERT_EQ(rating.StarRatingView->rating(), 3.0);
    ASSERT_LT(settle(), sameShare) << "three stars";

    // Fewer than four stars are only thanked for, and the countdown ends for good.
    ASSERT_TRUE(click(rating.sendRatingButton));
    EXPECT_TRUE(pollUntil([&] { return storedDefaults(data.path()).value("isRatingAlreadyDone", false); }, 30))
        << storedDefaults(data.path()).dump();
    auto thanks = twin->h.presentedAlert();
    ASSERT_TRUE(thanks);
    ASSERT_LT(settle(), sameShare) << "the thanks";
    render::DialogLayout layout = render::alertLayout(*thanks, twin->h.window()->bounds().size);
    ASSERT_EQ(layout.buttons.size(), 1u);
    ASSERT_EQ(layout.buttons[0].title, LocalizedString::close());
    CGRect close = layout.buttons[0].frame;
    ASSERT_TRUE(twin->h.tapAlertAction(LocalizedString::close()));
    ASSERT_TRUE(window->click(int(close.midX()), int(close.midY())));
    EXPECT_LT(settle(), sameShare) << "the calculate screen again";

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

TEST_F(AppWindow, ADamagedDataFileIsToldInTheWindowAndKeptByteForByte)
{
    // The twin starts as the program must once it has set the file aside: as a first start.
    twin.emplace(nlohmann::json::object());
    std::string whole = laterStart(100, std::vector<nlohmann::json>(20, historyRecord("1", "-1"))).dump();
    std::string damaged = whole.substr(0, whole.size() / 2);
    std::ofstream(data.path() / "defaults.json") << damaged;
    window.emplace(data.path(), withDataIn(data) + RADIXEL_APP_PATH);
    ASSERT_TRUE(window->waitForWindow(30)) << window->output();
    // Where the file was kept, as the program says on standard error.
    const std::string before = "kept as ", after = ", starting with empty defaults";
    ASSERT_TRUE(pollUntil([&] { return window->output().find(after) != std::string::npos; }, 30)) << window->output();
    std::string said = window->output().substr(window->output().find(before) + before.size());
    std::filesystem::path kept = said.substr(0, said.find(after));
    EXPECT_EQ(foundation::readFileContents(kept), damaged);

    // Over the prompts, the alert that names the kept file and the folder; OK leaves the prompts.
    auto alert = UIAlertController::alertControllerWithTitle(
        NSLocalizedString("dataDamagedTitle", ""), SavedDataAlert::message(SavedDataAlert::Problem::Damaged, kept.filename(), data.path()),
        UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::Default, nullptr));
    twin->h.topViewController()->presentViewController(alert, true);
    ASSERT_LT(settle(), sameShare) << "the alert\n" << window->output();
    CGRect ok = render::alertLayout(*alert, twin->h.window()->bounds().size).buttons.at(0).frame;
    ASSERT_TRUE(twin->h.tapAlertAction("OK") && window->click(int(ok.midX()), int(ok.midY())));
    EXPECT_LT(settle(), sameShare) << "the privacy prompt";
    EXPECT_EQ(window->finish(), 0) << window->output();
}

TEST(AppProgram, WithoutADisplayItSaysHowToRunIt)
{
    // A folder of its own: one a running window has would be refused first.
    ScratchFolder data;
    // A folder that cannot be claimed for another reason than a running window is not "already
    // open": the start goes on (here to the missing display).
    std::filesystem::create_directories(data.path() / "instance.lock" / "in-the-way");
    CommandResult unclaimable = runCommand(withoutDisplay(data));
    EXPECT_EQ(unclaimable.status, 1) << unclaimable.output;
    std::filesystem::remove_all(data.path() / "instance.lock");

    CommandResult run = runCommand(withoutDisplay(data));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("xvfb-run"), std::string::npos) << run.output;

    CommandResult lost = runCommand("RADIXEL_RESOURCES=" + data.path().string() + "/none " + withoutDisplay(data));
    EXPECT_NE(lost.output.find("no resource folder at " + data.path().string() + "/none"), std::string::npos) << lost.output;

    // Without RADIXEL_DATA_DIR the folder is under an absolute XDG_DATA_HOME, else under HOME.
    for (const auto& [xdg, folder] : {std::pair{std::string(), ".local/share/radixel"}, {"relative", ".local/share/radixel"},
                                      {(data.path() / "xdg").string(), "xdg/radixel"}}) {
        runCommand("cd " + data.path().string() + " && HOME=" + data.path().string() + " XDG_DATA_HOME=" + xdg +
                   " env -u RADIXEL_DATA_DIR -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 " RADIXEL_APP_PATH);
        EXPECT_TRUE(std::filesystem::exists(data.path() / folder / "instance.lock")) << xdg;
        std::filesystem::remove_all(data.path() / folder);
    }

    CommandResult bad = runCommand(withoutDisplay(data, " --scale many"));
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("--scale"), std::string::npos) << bad.output;

    // A stale DISPLAY, with no server behind it, is no display either: no window-less run that
    // holds the data folder.
    CommandResult stale = runCommand(withoutDisplay(data, "", ":4093")); // far above the displays xvfb-run -a picks
    EXPECT_EQ(stale.status, 1) << stale.output;
    EXPECT_NE(stale.output.find("DISPLAY=:4093"), std::string::npos) << stale.output;
    EXPECT_EQ(foundation::claimFolderForProcess(data.path()), foundation::FolderClaim::Claimed);
}

TEST_F(AppWindow, ASecondStartOnTheSameDataFolderIsRefusedAndTheFirstWindowKeepsItsData)
{
    ASSERT_TRUE(start(laterStart(100, {historyRecord("1", "2")})));
    // Each run saves the whole file from its own memory: a second one would drop the first's
    // entries. Without a display it can say so only on standard error.
    CommandResult refused = runCommand(withoutDisplay(data));
    EXPECT_EQ(refused.status, 3) << refused.output;
    EXPECT_NE(refused.output.find(data.path().string()), std::string::npos) << refused.output;

    // The first window goes on, and what it does is kept.
    auto& screen = twin->screen();
    ASSERT_TRUE(typeInto(screen.pTextField, "3") && typeInto(screen.qTextField, "2") && click(screen.calculateButton));
    EXPECT_LT(settle(), sameShare) << "the solution page";
    EXPECT_EQ(window->finish(), 0) << window->output();
    EXPECT_EQ(storedHistory(data.path()).size(), 2u);

    // A run that was killed leaves no claim behind: the next start gets as far as the display.
    ASSERT_TRUE(start(laterStart(100, {}), false));
    window.reset(); // kill -9
    CommandResult next = runCommand(withoutDisplay(data));
    EXPECT_EQ(next.status, 1) << next.output;
}
