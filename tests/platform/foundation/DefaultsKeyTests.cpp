#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/ScratchFolder.hpp"
#include "platform/foundation/DefaultsKey.hpp"

using nlohmann::json;

namespace {

struct Record {
    std::string name;
    std::int64_t size = 0;
    bool operator==(const Record&) const = default;
};
void to_json(json& j, const Record& r) { j = json{{"name", r.name}, {"size", r.size}}; }
void from_json(const json& j, Record& r) {
    j.at("name").get_to(r.name);
    j.at("size").get_to(r.size);
}

class TypedDefaults : public ::testing::Test {
protected:
    void SetUp() override {
        NSUserDefaults::resetStandardUserDefaultsForTesting();
        folder.useAsAppDataDirectory();
    }
    void TearDown() override { NSUserDefaults::resetStandardUserDefaultsForTesting(); }
    ScratchFolder folder;
};

TEST_F(TypedDefaults, MissingKeysReadTheirDefaultAndWrittenOnesTheirValue) {
    const DefaultsKey<std::int64_t> counter{"counterForRating", 5};
    const DefaultsKey<bool> accepted{"isDsgvoAccepted", false};
    const DefaultsKey<std::string> language{"language", "en"};
    EXPECT_EQ(counter.get(), 5);
    EXPECT_FALSE(counter.hasValue());
    EXPECT_FALSE(accepted.get());
    EXPECT_EQ(language.get(), "en");

    counter.set(counter.get() - 1);
    accepted.set(true);
    language.set("de");
    NSUserDefaults::resetStandardUserDefaultsForTesting();
    EXPECT_EQ(counter.get(), 4);
    EXPECT_TRUE(accepted.get());
    EXPECT_EQ(language.get(), "de");
    EXPECT_EQ(NSUserDefaults::standardUserDefaults()->integerForKey("counterForRating"), 4);

    counter.remove();
    EXPECT_EQ(counter.get(), 5);
}

TEST_F(TypedDefaults, ValuesOfAnotherKindReadAsTheDefault) {
    auto defaults = NSUserDefaults::standardUserDefaults();
    defaults->setObject("five", "counterForRating");
    defaults->setObject(json::array(), "isRatingAlreadyDone");
    defaults->setObject(12, "name");
    defaults->setObject(std::numeric_limits<std::int64_t>::max(), "small");
    EXPECT_EQ((DefaultsKey<std::int64_t>{"counterForRating", 5}.get()), 5);
    EXPECT_TRUE((DefaultsKey<bool>{"isRatingAlreadyDone", true}.get()));
    EXPECT_EQ((DefaultsKey<std::string>{"name", "none"}.get()), "none");
    EXPECT_EQ((DefaultsKey<int>{"small", -1}.get()), -1);  // too large for int: no wrap-around

    defaults->setDouble(4.0, "whole");
    defaults->setDouble(4.5, "fraction");
    defaults->setDouble(1e30, "far");
    EXPECT_EQ((DefaultsKey<std::int64_t>{"whole", 5}.get()), 4);
    EXPECT_EQ((DefaultsKey<std::int64_t>{"fraction", 5}.get()), 5);
    EXPECT_EQ((DefaultsKey<std::int64_t>{"far", 5}.get()), 5);
}

TEST_F(TypedDefaults, RecordsStoreTheirJsonAndAnotherShapeReadsAsNone) {
    const DefaultsKey<std::optional<Record>> selected{"CurrentSelectedCalculation", std::nullopt};
    const DefaultsKey<std::vector<Record>> list{"Calculations", {}};
    EXPECT_FALSE(selected.get());
    selected.set(Record{"history", 3});
    list.set({{"a", 1}, {"b", 2}});
    auto defaults = NSUserDefaults::standardUserDefaults();
    EXPECT_EQ(*defaults->objectForKey("CurrentSelectedCalculation"), json({{"name", "history"}, {"size", 3}}));
    NSUserDefaults::resetStandardUserDefaultsForTesting();
    EXPECT_EQ(selected.get(), (Record{"history", 3}));
    EXPECT_EQ(list.get(), (std::vector<Record>{{"a", 1}, {"b", 2}}));

    defaults = NSUserDefaults::standardUserDefaults();
    defaults->setObject({{"name", "no size"}}, "CurrentSelectedCalculation");
    defaults->setObject(json::array({1, 2}), "Calculations");
    EXPECT_FALSE(selected.get());
    EXPECT_TRUE(list.get().empty());

    selected.set(std::nullopt);  // none removes the key
    EXPECT_FALSE(selected.hasValue());
}

}  // namespace
