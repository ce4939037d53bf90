#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "platform/foundation/JSONRecordReader.hpp"

using nlohmann::json;

namespace {

struct Entry {
    std::string name;

    static Entry decode(const json& value, const std::string& path) {
        return {JSONRecordReader(value, path).string("name")};
    }
};

}  // namespace

TEST(JSONRecordReader, AcceptsNullForOptionalKeysAndWholeFiniteNumbers) {
    json nulls = {{"flag", nullptr}, {"list", nullptr}, {"rules", nullptr}};
    JSONRecordReader absent(nulls, "r");
    EXPECT_FALSE(absent.optionalBoolean("flag").has_value());
    EXPECT_FALSE(absent.optionalStringArray("list").has_value());
    EXPECT_FALSE(absent.optionalNumberDictionary("rules").has_value());
    EXPECT_FALSE(absent.optionalNumberDictionary("missing").has_value());
    json present = {{"list", json::array()}, {"rules", json::object()}};
    EXPECT_EQ(JSONRecordReader(present, "r").optionalStringArray("list"), std::vector<std::string>{});
    EXPECT_EQ(JSONRecordReader(present, "r").optionalNumberDictionary("rules"), (std::map<std::string, double>{}));

    // Parsed, as a value arrives: the parser stores a large whole number as unsigned.
    json numbers = json::parse(json{{"largest", std::numeric_limits<int64_t>::max()},
                                    {"negative", -7},
                                    {"whole", 1000},
                                    {"huge", std::numeric_limits<uint64_t>::max()}}
                                   .dump());
    JSONRecordReader reader(numbers, "r");
    EXPECT_EQ(reader.integer("largest"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(reader.integer("negative"), -7);
    EXPECT_EQ(reader.finiteNumber("whole"), 1000.0);
    EXPECT_GT(reader.finiteNumber("huge"), 1e19);
}

TEST(JSONRecordReader, AFaultIsNamedWithItsPathThroughListsAndDictionaries) {
    const json empty = json::object(), list = json::array();
    const json record = {{"names", {{"en", "One"}, {"de", 1}}},
                         {"links", {"a", nullptr}},
                         {"flag", nullptr},
                         {"text", "yes"},
                         {"tooLarge", static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1},
                         {"fraction", 2.0},
                         {"nan", std::nan("")},
                         {"rules", {{"min", 0}, {"max", -std::numeric_limits<double>::infinity()}}}};
    const json parsed = json::parse(record.dump());  // as a value arrives: a large whole number is unsigned
    const json lists = {{"spring", json::array({{{"name", "a"}}, {{"title", "b"}}})}};
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { JSONRecordReader(empty, "").string("apps"); }, "Key not found: \"apps\" at the top level."},
        {[&] { JSONRecordReader(list, ""); }, "Type mismatch at the top level: expected an object, found an array."},
        {[&] { JSONRecordReader(record, "apps[3]").stringDictionary("names"); },
         "Type mismatch at apps[3].names.de: expected a string, found an integer."},
        {[&] { JSONRecordReader(record, "apps[3]").stringArray("links"); },
         "Type mismatch at apps[3].links[1]: expected a string, found null."},
        {[&] { decodeRecordListDictionary<Entry>(lists, "ads"); }, "Key not found: \"name\" at ads.spring[1]."},
        // Null stands for an absent optional key only.
        {[&] { JSONRecordReader(record, "r").boolean("flag"); },
         "Type mismatch at r.flag: expected a boolean, found null."},
        {[&] { JSONRecordReader(record, "r").optionalBoolean("text"); },
         "Type mismatch at r.text: expected a boolean, found a string."},
        {[&] { JSONRecordReader(parsed, "r").integer("tooLarge"); },
         "Number at r.tooLarge does not fit a signed 64-bit integer."},
        {[&] { JSONRecordReader(parsed, "r").integer("fraction"); },
         "Type mismatch at r.fraction: expected an integer, found a number."},
        {[&] { JSONRecordReader(record, "r").finiteNumber("nan"); }, "Number at r.nan is not finite."},
        {[&] { JSONRecordReader(record, "r").optionalNumberDictionary("rules"); },
         "Number at r.rules.max is not finite."},
    };
    for (const auto& [read, message] : cases) {
        SCOPED_TRACE(message);
        try {
            read();
            ADD_FAILURE() << "no error";
        } catch (const JSONDecodingError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}
