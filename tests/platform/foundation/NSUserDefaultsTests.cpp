#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "support/ScratchFolder.hpp"
#include "platform/foundation/NSUserDefaults.hpp"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

class UserDefaults : public ::testing::Test {
protected:
    void SetUp() override {
        NSUserDefaults::resetStandardUserDefaultsForTesting();
        folder.useAsAppDataDirectory();
    }
    void TearDown() override { NSUserDefaults::resetStandardUserDefaultsForTesting(); }

    // The standard defaults as the next run of the program sees them.
    std::shared_ptr<NSUserDefaults> restart() {
        NSUserDefaults::resetStandardUserDefaultsForTesting();
        return NSUserDefaults::standardUserDefaults();
    }

    std::vector<std::string> filesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.path())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchFolder folder;
};

TEST_F(UserDefaults, TypedReadsConvertNumbersAndAnswerDefaultsForMissingKeysAndOtherKinds) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    struct Case {
        const char* key;
        json value;
        bool boolean;
        std::int64_t integer;
        double number;
    };
    const Case cases[] = {
        {"missing", nullptr, false, 0, 0.0},
        {"text", "text", false, 0, 0.0},
        {"flag", true, true, 1, 1.0},
        {"count", 5, true, 5, 5.0},
        {"rating", 2.75, true, 2, 2.75},
        {"huge", std::numeric_limits<std::uint64_t>::max(), true, std::numeric_limits<std::int64_t>::max(), 0x1p64},
        {"far", 1e300, true, 0, 1e300},    // beyond the integer range
        {"negative", -1, true, -1, -1.0},  // any nonzero number reads as true
        {"negativeFraction", -0.25, true, 0, -0.25},
        {"fraction", 0.25, true, 0, 0.25},
        {"lowest", std::numeric_limits<std::int64_t>::min(), true, std::numeric_limits<std::int64_t>::min(), -0x1p63},
        {"zero", 0.0, false, 0, 0.0},
    };
    for (const Case& c : cases) defaults->setObject(c.value, c.key);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(defaults->boolForKey(c.key), c.boolean);
        EXPECT_EQ(defaults->integerForKey(c.key), c.integer);
        EXPECT_DOUBLE_EQ(defaults->doubleForKey(c.key), c.number);
    }

    defaults->setObject(json::array({1, 2}), "list");
    defaults->setObject({{"a", 1}}, "dictionary");
    EXPECT_FALSE(defaults->stringForKey("missing"));
    EXPECT_FALSE(defaults->objectForKey("missing"));
    EXPECT_FALSE(defaults->stringForKey("list"));
    EXPECT_FALSE(defaults->arrayForKey("dictionary"));
    EXPECT_FALSE(defaults->dictionaryForKey("list"));
    EXPECT_EQ(*defaults->arrayForKey("list"), json::array({1, 2}));
    EXPECT_EQ(*defaults->dictionaryForKey("dictionary"), json({{"a", 1}}));
    EXPECT_EQ(*defaults->stringForKey("text"), "text");
}

TEST_F(UserDefaults, TheFirstWriteCreatesTheMissingFolders) {
    fs::path file = folder.path() / "not" / "yet" / "there" / "defaults.json";
    NSUserDefaults defaults(file);
    defaults.setBool(true, "isOnboardingFinished");
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_TRUE(NSUserDefaults(file).boolForKey("isOnboardingFinished"));
}

TEST_F(UserDefaults, ValuesAndRemovalsSurviveARestartAndLeftoversOfAKilledWriteGo) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    json history = json::array({{{"latexString", "p = -2.4, q = \\frac{7}{3}"}, {"inputParameters", {{"p", "-2.4"}}}}});
    defaults->setObject(history, "Calculations");
    defaults->setBool(true, "isOnboardingFinished");
    defaults->setInteger(4, "counterForRating");
    defaults->setObject("gone soon", "CurrentSelectedCalculation");
    defaults->removeObjectForKey("CurrentSelectedCalculation");
    defaults->setObject(nullptr, "isRatingAlreadyDone");  // null removes as well
    ASSERT_TRUE(defaults->synchronize());
    // Left by a killed writer whose pid no process has: the system never hands out pids this high.
    std::ofstream(folder.path() / "defaults.json.tmp-2147483646-a1B2c3") << R"({"isDsg)";

    auto reopened = restart();
    EXPECT_NE(reopened, defaults);
    EXPECT_EQ(*reopened->objectForKey("Calculations"), history);
    EXPECT_TRUE(reopened->boolForKey("isOnboardingFinished"));
    EXPECT_EQ(reopened->integerForKey("counterForRating"), 4);
    EXPECT_FALSE(reopened->objectForKey("CurrentSelectedCalculation"));
    EXPECT_FALSE(reopened->objectForKey("isRatingAlreadyDone"));
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"defaults.json"});
}

TEST_F(UserDefaults, ChangesReachTheFileWithoutAnExplicitSynchronize) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    defaults->setInteger(7, "countKetuAdsPresented");
    // A second instance on the same file stands in for a later run that started after the
    // background write; synchronize() with nothing pending only waits for a running write.
    for (int attempt = 0; attempt < 500; ++attempt) {
        NSUserDefaults later(defaults->filePath());
        if (later.integerForKey("countKetuAdsPresented") == 7) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    FAIL() << "the change never reached the file";
}

TEST_F(UserDefaults, UnstorableValuesAreRefusedAndKeepTheOldValue) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    defaults->setDouble(1.5, "value");
    testing::internal::CaptureStderr();
    defaults->setDouble(std::nan(""), "value");
    defaults->setObject(json::array({std::numeric_limits<double>::infinity()}), "value");
    json deep = 1;
    for (int i = 0; i < 600; ++i) deep = json::array({deep});
    defaults->setObject(deep, "value");
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_DOUBLE_EQ(defaults->doubleForKey("value"), 1.5);
    EXPECT_NE(printed.find("\"value\" not stored"), std::string::npos);
    EXPECT_TRUE(defaults->synchronize());
}

TEST_F(UserDefaults, TextThatIsNotUtf8IsStillWrittenReadably) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    defaults->setObject(std::string("p = \xff\xfe"), "latex");
    EXPECT_TRUE(defaults->synchronize());
    auto reopened = restart();
    EXPECT_TRUE(reopened->stringForKey("latex").has_value());
}

TEST_F(UserDefaults, ACorruptFileIsSetAsideAndTheDefaultsStartEmpty) {
    for (const std::string& broken : {std::string("{\"Calculations\": [1, 2"), std::string("[1, 2, 3]"),
                                      std::string(2000, '[') + std::string(2000, ']'),
                                      std::string("{\"isRatingAlreadyDone\": true}\0{\"Calculations\": [", 48)}) {
        NSUserDefaults::resetStandardUserDefaultsForTesting();
        for (const auto& entry : fs::directory_iterator(folder.path())) fs::remove(entry.path());
        std::ofstream(folder.path() / "defaults.json") << broken;

        testing::internal::CaptureStderr();
        auto defaults = NSUserDefaults::standardUserDefaults();
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
        EXPECT_NE(printed.find("kept as"), std::string::npos);
        EXPECT_TRUE(defaults->dictionaryRepresentation().empty());

        std::vector<std::string> files = filesInFolder();
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0].rfind("defaults.json.corrupt-", 0), 0u);
        std::ifstream kept(folder.path() / files[0]);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), broken);  // nothing lost

        defaults->setBool(true, "isDsgvoAccepted");
        EXPECT_TRUE(restart()->boolForKey("isDsgvoAccepted"));
    }
}

TEST_F(UserDefaults, ManyThreadsWritingAndReadingLoseNothing) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 300; ++i) {
                std::string key = "thread" + std::to_string(t);
                defaults->setInteger(i, key);
                defaults->setObject(json::array({t, i}), key + "-list");
                EXPECT_EQ(defaults->integerForKey(key), i);  // no other thread writes this key
                if (i % 50 == 0) defaults->synchronize();
            }
        });
    for (auto& thread : threads) thread.join();
    auto reopened = restart();
    for (int t = 0; t < 6; ++t) {
        EXPECT_EQ(reopened->integerForKey("thread" + std::to_string(t)), 299);
        EXPECT_EQ(*reopened->arrayForKey("thread" + std::to_string(t) + "-list"), json::array({t, 299}));
    }
}

}  // namespace
