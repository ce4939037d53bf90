#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>
#include <thread>

#include "platform/foundation/AtomicFile.hpp"
#include "platform/foundation/DefaultsKey.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "support/ScratchFolder.hpp"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

using Record = std::map<std::string, std::int64_t>;  // stands for any type with a JSON form

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

    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.path())) names.insert(entry.path().filename().string());
        return names;
    }

    ScratchFolder folder;
};

TEST_F(UserDefaults, TypedReadsConvertNumbersAndAnswerDefaultsForMissingKeysAndOtherKinds) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    // Key, value, and how it reads as a boolean, an integer and a double.
    const std::tuple<const char*, json, bool, std::int64_t, double> cases[] = {
        {"missing", nullptr, false, 0, 0.0},
        {"text", "text", false, 0, 0.0},
        {"flag", true, true, 1, 1.0},
        {"rating", 2.75, true, 2, 2.75},
        {"huge", std::numeric_limits<std::uint64_t>::max(), true, std::numeric_limits<std::int64_t>::max(), 0x1p64},
        {"far", 1e300, true, 0, 1e300},    // beyond the integer range
        {"negative", -1, true, -1, -1.0},  // any nonzero number reads as true
        {"fraction", -0.25, true, 0, -0.25},
        {"largest", std::numeric_limits<std::int64_t>::max(), true, std::numeric_limits<std::int64_t>::max(), 0x1p63},
        {"whole", 4.0, true, 4, 4.0},
        {"zero", 0.0, false, 0, 0.0},
    };
    for (const auto& [key, value, boolean, integer, number] : cases) defaults->setObject(value, key);
    for (const auto& [key, value, boolean, integer, number] : cases) {
        EXPECT_EQ(defaults->boolForKey(key), boolean) << key;
        EXPECT_EQ(defaults->integerForKey(key), integer) << key;
        EXPECT_DOUBLE_EQ(defaults->doubleForKey(key), number) << key;
    }
    defaults->setObject(json::array({1, 2}), "list");
    defaults->setObject({{"a", 1}}, "dictionary");
    EXPECT_FALSE(defaults->stringForKey("missing") || defaults->objectForKey("missing") ||
                 defaults->stringForKey("list") || defaults->arrayForKey("dictionary") ||
                 defaults->dictionaryForKey("list"));
    EXPECT_EQ(*defaults->arrayForKey("list"), json::array({1, 2}));
    EXPECT_EQ(*defaults->dictionaryForKey("dictionary"), json({{"a", 1}}));
    EXPECT_EQ(*defaults->stringForKey("text"), "text");

    // A typed key reads its default where the value does not convert to its type.
    EXPECT_EQ((DefaultsKey<std::int64_t>{"text", 5}.get()), 5);
    EXPECT_EQ((DefaultsKey<std::int64_t>{"rating", 5}.get()), 5);
    EXPECT_EQ((DefaultsKey<std::int64_t>{"far", 5}.get()), 5);
    EXPECT_EQ((DefaultsKey<std::int64_t>{"whole", 5}.get()), 4);
    EXPECT_EQ((DefaultsKey<int>{"largest", 7}.get()), 7);  // too large for int: no wrap-around
    EXPECT_TRUE((DefaultsKey<bool>{"list", true}.get()));
    EXPECT_EQ((DefaultsKey<std::string>{"negative", "none"}.get()), "none");
    EXPECT_FALSE((DefaultsKey<std::optional<Record>>{"text", std::nullopt}.get()));
    EXPECT_TRUE((DefaultsKey<std::vector<Record>>{"list", {}}.get().empty()));
}

TEST_F(UserDefaults, ValuesRemovalsAndTypedKeysSurviveARestart) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    json history = json::array({{{"latexString", "p = -2.4, q = \\frac{7}{3}"}, {"inputParameters", {{"p", "-2.4"}}}}});
    defaults->setObject(history, "Calculations");
    defaults->setBool(true, "isOnboardingFinished");
    defaults->setObject(std::string("p = \xff\xfe"), "latex");  // not UTF-8, still written readably
    defaults->setObject("gone soon", "isRatingAlreadyDone");
    defaults->removeObjectForKey("isRatingAlreadyDone");
    defaults->setObject(nullptr, "isOnboardingFinished");  // null removes as well
    const DefaultsKey<std::int64_t> counter{"counterForRating", 5};
    EXPECT_EQ(counter.get(), 5);
    EXPECT_FALSE(counter.hasValue());
    counter.set(counter.get() - 1);
    ASSERT_TRUE(defaults->synchronize());
    // Left by a writer whose pid no process has (the system never hands out pids this high), and
    // by one still running, which is about to rename it.
    std::ofstream(folder.path() / "defaults.json.tmp-2147483646-a1B2c3") << R"({"isDsg)";
    const std::string running = "defaults.json.tmp-" + std::to_string(::getpid()) + "-d4E5f6";
    std::ofstream(folder.path() / running) << R"({"isDsg)";

    auto reopened = restart();
    EXPECT_NE(reopened, defaults);
    EXPECT_EQ(files(), (std::set<std::string>{"defaults.json", running}));
    EXPECT_EQ(*reopened->objectForKey("Calculations"), history);
    EXPECT_TRUE(reopened->stringForKey("latex"));
    EXPECT_FALSE(reopened->objectForKey("isOnboardingFinished") || reopened->objectForKey("isRatingAlreadyDone"));
    EXPECT_EQ(reopened->integerForKey("counterForRating"), 4);
    EXPECT_EQ(counter.get(), 4);
    counter.remove();
    EXPECT_EQ(counter.get(), 5);
    EXPECT_FALSE(restart()->objectForKey("counterForRating"));  // a removal alone is saved too
}

TEST_F(UserDefaults, UnstorableValuesAreRefusedAndKeepTheOldValue) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    defaults->setDouble(1.5, "value");
    testing::internal::CaptureStderr();
    defaults->setDouble(std::nan(""), "value");
    defaults->setObject(json::array({std::numeric_limits<double>::infinity()}), "value");
    // Inside the file's own object, the deepest value it can be read back with; one level more
    // would make the whole file unreadable at the next start.
    auto nested = [](int levels) { json value = 1; while (levels-- > 0) value = json::array({value}); return value; };
    defaults->setObject(nested(NSJSONSerialization::maximumDepth - 1), "deep");
    defaults->setObject(nested(NSJSONSerialization::maximumDepth), "value");
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_DOUBLE_EQ(defaults->doubleForKey("value"), 1.5);
    EXPECT_NE(printed.find("\"value\" not stored"), std::string::npos);
    EXPECT_TRUE(defaults->synchronize());
    EXPECT_EQ(restart()->objectForKey("deep"), nested(NSJSONSerialization::maximumDepth - 1));
}

TEST_F(UserDefaults, ACorruptFileIsSetAsideAndTheDefaultsStartEmpty) {
    using namespace std::string_literals;
    std::map<std::string, std::string> kept;  // what each set-aside file must hold
    for (const std::string& broken :
         {"{\"Calculations\": [1, 2"s, "[1, 2, 3]"s, std::string(2000, '[') + std::string(2000, ']'),
          "{\"isRatingAlreadyDone\": true}\0{\"Calculations\": ["s}) {
        NSUserDefaults::resetStandardUserDefaultsForTesting();
        fs::remove(folder.path() / "defaults.json");
        std::ofstream(folder.path() / "defaults.json") << broken;

        testing::internal::CaptureStderr();
        auto defaults = NSUserDefaults::standardUserDefaults();
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
        EXPECT_NE(printed.find("kept as"), std::string::npos);
        EXPECT_TRUE(defaults->dictionaryRepresentation().empty());

        // Kept beside those set aside earlier (in the same second, so under a numbered name).
        ASSERT_EQ(files().size(), kept.size() + 1);
        for (const std::string& name : files()) {
            if (!kept.count(name)) kept[name] = broken;
            EXPECT_EQ(name.rfind("defaults.json.corrupt-", 0), 0u);
            EXPECT_EQ(foundation::readFileContents(folder.path() / name), kept[name]);  // nothing lost
        }

        defaults->setBool(true, "isDsgvoAccepted");
        EXPECT_TRUE(restart()->boolForKey("isDsgvoAccepted"));
    }
}

TEST_F(UserDefaults, ManyThreadsWritingAndReadingLoseNothing) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t)
        threads.emplace_back([&, t] {
            const std::string key = "thread" + std::to_string(t);
            for (int i = 0; i < 300; ++i) {
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
