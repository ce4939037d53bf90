#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/foundation/JSONRecordReader.hpp"

using nlohmann::json;

namespace {

// The message the read throws, or "" when it does not throw.
template <typename Read>
std::string failure(Read read) {
    try {
        read();
    } catch (const JSONDecodingError& error) {
        return error.what();
    }
    return "";
}

struct Entry {
    std::string name;

    static Entry decode(const json& value, const std::string& path) {
        return {JSONRecordReader(value, path).string("name")};
    }
};

}  // namespace

TEST(JSONRecordReader, NamesTheTopLevelWhenThePathIsEmpty) {
    json value = json::object();
    EXPECT_EQ(failure([&] { JSONRecordReader(value, "").string("apps"); }),
              "Key not found: \"apps\" at the top level.");
    json list = json::array();
    EXPECT_EQ(failure([&] { JSONRecordReader(list, ""); }),
              "Type mismatch at the top level: expected an object, found an array.");
}

TEST(JSONRecordReader, PathsReachIntoListsAndDictionaries) {
    json value = {{"names", {{"en", "One"}, {"de", 1}}}, {"links", {"a", nullptr}}};
    JSONRecordReader reader(value, "apps[3]");
    EXPECT_EQ(failure([&] { reader.stringDictionary("names"); }),
              "Type mismatch at apps[3].names.de: expected a string, found an integer.");
    EXPECT_EQ(failure([&] { reader.stringArray("links"); }),
              "Type mismatch at apps[3].links[1]: expected a string, found null.");

    json lists = {{"spring", json::array({{{"name", "a"}}, {{"title", "b"}}})}};
    EXPECT_EQ(failure([&] { decodeRecordListDictionary<Entry>(lists, "ads"); }),
              "Key not found: \"name\" at ads.spring[1].");
}

TEST(JSONRecordReader, NullIsAbsentForOptionalKeysButWrongForRequiredOnes) {
    json value = {{"flag", nullptr}, {"list", nullptr}, {"rules", nullptr}};
    JSONRecordReader reader(value, "r");
    EXPECT_FALSE(reader.optionalBoolean("flag").has_value());
    EXPECT_FALSE(reader.optionalStringArray("list").has_value());
    EXPECT_FALSE(reader.optionalNumberDictionary("rules").has_value());
    EXPECT_FALSE(reader.optionalNumberDictionary("missing").has_value());
    EXPECT_EQ(failure([&] { reader.boolean("flag"); }), "Type mismatch at r.flag: expected a boolean, found null.");

    json present = {{"list", json::array()}, {"rules", json::object()}, {"flag", "yes"}};
    JSONRecordReader presentReader(present, "r");
    EXPECT_EQ(presentReader.optionalStringArray("list"), std::vector<std::string>{});
    EXPECT_EQ(presentReader.optionalNumberDictionary("rules"), (std::map<std::string, double>{}));
    EXPECT_EQ(failure([&] { presentReader.optionalBoolean("flag"); }),
              "Type mismatch at r.flag: expected a boolean, found a string.");
}

TEST(JSONRecordReader, IntegersMustBeWholeAndFitSixtyFourSignedBits) {
    json value = {{"largest", std::numeric_limits<int64_t>::max()},
                  {"negative", -7},
                  {"tooLarge", static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1},
                  {"fraction", 2.0}};
    // Parsed, as a value arrives: the parser stores a large whole number as unsigned.
    json parsed = json::parse(value.dump());
    JSONRecordReader reader(parsed, "r");
    EXPECT_EQ(reader.integer("largest"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(reader.integer("negative"), -7);
    EXPECT_EQ(failure([&] { reader.integer("tooLarge"); }),
              "Number at r.tooLarge does not fit a signed 64-bit integer.");
    EXPECT_EQ(failure([&] { reader.integer("fraction"); }),
              "Type mismatch at r.fraction: expected an integer, found a number.");
}

TEST(JSONRecordReader, NumbersTakeWholeValuesButNothingUnbounded) {
    json value = {{"whole", 1000},
                  {"huge", std::numeric_limits<uint64_t>::max()},
                  {"nan", std::nan("")},
                  {"rules", {{"min", 0}, {"max", -std::numeric_limits<double>::infinity()}}}};
    JSONRecordReader reader(value, "r");
    EXPECT_EQ(reader.finiteNumber("whole"), 1000.0);
    EXPECT_GT(reader.finiteNumber("huge"), 1e19);
    EXPECT_EQ(failure([&] { reader.finiteNumber("nan"); }), "Number at r.nan is not finite.");
    EXPECT_EQ(failure([&] { reader.optionalNumberDictionary("rules"); }), "Number at r.rules.max is not finite.");
}
