// Reading and writing JSON and property lists: what is refused (malformed, too deep, NUL
// characters), what is read, and how a record reader names the place of a fault; numbers as text.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "platform/foundation/JSONDecoder.hpp"
#include "platform/foundation/JSONRecordReader.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"
#include "platform/foundation/NSNumberFormatter.hpp"
#include "platform/foundation/NSPropertyListSerialization.hpp"
#include "platform/foundation/NumberText.hpp"
#include "support/ScratchFolder.hpp"

using nlohmann::json;
using namespace std::string_literals;

namespace {

TEST(NSJSONSerialization, RefusesMalformedTooDeeplyNestedAndNulContainingText) {
    for (const std::string& text : {"{\"apps\": ["s, ""s, std::string(100000, '['), "{\"a\": 1}\0{\"b\": 2}"s,
                                    "{\"a\": 1\0}"s, "\0"s, "[1, \"x\0y\"]"s, "{\"a\": 1}\0"s}) {
        NSError error;
        EXPECT_FALSE(NSJSONSerialization::JSONObjectWithData(text, &error)) << text.substr(0, 20);
        EXPECT_EQ(error.code, NSJSONSerialization::readErrorCode);
    }
    EXPECT_EQ(NSJSONSerialization::JSONObjectWithData("[1, \"x\\u0000y\"]"), json::array({1, "x"s + '\0' + "y"}));
    // Brackets inside texts do not count as nesting.
    EXPECT_EQ(NSJSONSerialization::nestingDepth("[[1],[[2]]]"), 3);
    auto quoted = NSJSONSerialization::JSONObjectWithData("{\"latex\": \"\\\"" + std::string(1000, '[') + "{{{\"}");
    ASSERT_TRUE(quoted);
    EXPECT_EQ((*quoted)["latex"].get<std::string>().size(), 1004u);
}

TEST(NSJSONSerialization, WritesWhatItReadsAndRefusesWhatJsonCannotCarry) {
    json apps = {{"apps", json::array({{{"bundleID", "com.radixel.app"}}})}};
    EXPECT_EQ(NSJSONSerialization::JSONObjectWithData(NSJSONSerialization::dataWithJSONObject(apps, true).value()),
              apps);

    NSError error;
    EXPECT_FALSE(
        NSJSONSerialization::dataWithJSONObject({{"x", std::numeric_limits<double>::quiet_NaN()}}, false, &error));
    EXPECT_FALSE(NSJSONSerialization::dataWithJSONObject(std::string("\xc3"), false, &error));
    EXPECT_EQ(error.code, NSJSONSerialization::writeErrorCode);
}

// Malformed data is refused as NSJSONSerialization refuses it; the decoder adds its own depth.
TEST(JSONDecoder, RefusesEmptyMalformedAndTooDeeplyNestedData) {
    for (const std::string& text : {""s, "{\"apps\": [}"s, "[[[1]]]"s})
        EXPECT_THROW(JSONDecoder(2).parse(text), JSONDecodingError);
    EXPECT_EQ(JSONDecoder(2).parse("[[1]]"), json::parse("[[1]]"));  // the maximum depth itself is allowed
}

TEST(NSPropertyListSerialization, ReadsXmlAndBinaryPropertyListsIntoJson) {
    const std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>apps</key>
        <array><dict><key>appName</key><dict><key>en</key><string>Radixel</string></dict>
        <key>shouldShow</key><true/> <key>isMultiApp</key><false/> <key>offset</key><integer>-7</integer>
        <key>calculationsUntilInterstitial</key><integer>3</integer> <key>rating</key><real>4.5</real>
        <key>released</key><date>2024-01-31T12:00:00Z</date> <key>icon</key><data>aGVsbG8=</data>
        </dict></array></dict></plist>)";
    NSError error;
    auto root = NSPropertyListSerialization::propertyListWithData(xml, &error);
    ASSERT_TRUE(root) << error.description();
    EXPECT_EQ(root->dump(), json::parse(R"({"apps": [{"appName": {"en": "Radixel"}, "shouldShow": true, "isMultiApp": false,
        "calculationsUntilInterstitial": 3, "offset": -7, "rating": 4.5, "released": "2024-01-31T12:00:00Z",
        "icon": "aGVsbG8="}]})").dump());  // as text: -7 and 3 stay signed whole numbers

    const std::string binary("bplist00\xd1\x01\x02Tapps\xa1\x03\xd2\x04\x05\x06\x07XbundleIDQn_\x10\x0f"
                             "com.radixel.app\x13\xff\xff\xff\xff\xff\xff\xff\xfd\x08\x0b\x10\x12\x17 \x22"
                             "4\0\0\0\0\0\0\x01\x01\0\0\0\0\0\0\0\x08\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0=",
                             101);
    EXPECT_EQ(NSPropertyListSerialization::propertyListWithData(binary),
              json({{"apps", json::array({{{"bundleID", "com.radixel.app"}, {"n", -3}}})}}));
}

TEST(NSPropertyListSerialization, BrokenOrMissingFilesFailWithAnError) {
    ScratchFolder folder;
    NSError error;
    EXPECT_FALSE(NSPropertyListSerialization::propertyListWithContentsOfFile(folder.path() / "none.plist", &error));
    EXPECT_EQ(error.code, NSPropertyListSerialization::fileReadErrorCode);
    EXPECT_NE(error.description().find("none.plist"), std::string::npos);

    std::string deep = "<true/>";  // nested deeper than a reader goes
    for (int level = 0; level < 600; ++level) deep = "<dict><key>a</key>" + deep + "</dict>";
    for (const std::string& broken : {"<?xml version=\"1.0\"?><plist><dict><key>apps</key><array>"s,
                                      "bplist00\x01\x02"s, "not a property list at all"s, ""s,
                                      "<plist>" + deep + "</plist>"}) {
        std::ofstream(folder.path() / "broken.plist", std::ios::binary) << broken;
        error = NSError{};
        EXPECT_FALSE(
            NSPropertyListSerialization::propertyListWithContentsOfFile(folder.path() / "broken.plist", &error));
        EXPECT_EQ(error.code, NSPropertyListSerialization::readCorruptErrorCode);
    }
}

// The parsing library aborts the program on a NUL character inside a key or text.
TEST(NSPropertyListSerialization, TextsWithANulCharacterDoNotStopTheProgram) {
    const std::string binaryWithNulKey("bplist00\xd2\x01\x02\x03\x04Sa\0bQkQvSs\0t\x08\x0d\x11\x13\x15\0\0\0\0\0\0"
                                       "\x01\x01\0\0\0\0\0\0\0\x05\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x19",
                                       62);
    // Binary lists pass through the library's XML writer, which ends such texts at the NUL.
    EXPECT_EQ(NSPropertyListSerialization::propertyListWithData(binaryWithNulKey), json({{"a", "v"}, {"k", "s"}}));
    for (const std::string& xml : {"<plist><dict><key>a&#0;b</key><string>v</string></dict></plist>"s,
                                   "<plist><dict><key>k</key><string>v&#x000;</string></dict></plist>"s,
                                   "<plist><dict><key>k</key><string>&#x100000000;</string></dict></plist>"s,
                                   "<plist><dict><key>a\0b</key><string>v</string></dict></plist>"s})
        EXPECT_FALSE(NSPropertyListSerialization::propertyListWithData(xml)) << xml;
    EXPECT_EQ(NSPropertyListSerialization::propertyListWithData(
                  "<plist><dict><key>caf&#233;</key><string>&#x263A;</string></dict></plist>"),
              json({{"caf\xc3\xa9", "\xe2\x98\xba"}}));
}

struct Entry {
    std::string name;
    static Entry decode(const json& value, const std::string& path) {
        return {JSONRecordReader(value, path).string("name")};
    }
};

// Parsed, as a value arrives: the parser stores a large whole number as unsigned.
TEST(JSONRecordReader, ReadsLargeWholeNumbersAsTheParserStoresThem) {
    const json record = json::parse(R"({"largest": 9223372036854775807, "huge": 18446744073709551615})");
    EXPECT_EQ(JSONRecordReader(record, "r").integer("largest"), std::numeric_limits<int64_t>::max());
    EXPECT_GT(JSONRecordReader(record, "r").finiteNumber("huge"), 1e19);
}

TEST(JSONRecordReader, AFaultIsNamedWithItsPathThroughListsAndDictionaries) {
    const json empty = json::object(), list = json::array();
    const json record = {{"names", {{"en", "One"}, {"de", 1}}},
                         {"links", {"a", nullptr}},
                         {"flag", nullptr},
                         {"text", "yes"},
                         {"nan", std::nan("")},
                         {"rules", {{"min", 0}, {"max", -std::numeric_limits<double>::infinity()}}}};
    const json parsed = json::parse(R"({"tooLarge": 9223372036854775808, "fraction": 2.0})");
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
        try {
            read();
            ADD_FAILURE() << "no error: " << message;
        } catch (const JSONDecodingError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

// Each table's texts, joined by spaces.
template <typename Format>
std::string texts(Format format, std::initializer_list<double> values) {
    std::string joined;
    for (double value : values) joined += (joined.empty() ? "" : " ") + format(value);
    return joined;
}

TEST(NumberText, ShortestRoundTripAndSixDigitTexts) {
    EXPECT_EQ(
        texts(foundation::doubleDescription, {2.0, -1.5, 0.0001, 0.00001, 1.5e-7, 0.1, 1.0 / 3, -0.0, 1000000.0,
                                              9007199254740992.0, 9007199254740994.0, 1e100, 5e-324, NAN, -INFINITY}),
        "2.0 -1.5 0.0001 1e-05 1.5e-07 0.1 0.3333333333333333 -0.0 1000000.0 9007199254740992.0 "
        "9.007199254740994e+15 1e+100 5e-324 nan -inf");
    EXPECT_EQ(texts(foundation::printfG, {1.2345678, 1000000, 0.00001, -0.0, 2.5}), "1.23457 1e+06 1e-05 -0 2.5");
}

TEST(NumberFormatter, RoundsHalfToEvenOnTheShortestTextAndLaysOutTheDigits) {
    auto decimal = [](int64_t digits, bool grouping = true) {
        return [=](double value) {
            NSNumberFormatter formatter;
            formatter.maximumFractionDigits = digits;
            formatter.usesGroupingSeparator = grouping;
            return formatter.stringFromNumber(value);
        };
    };
    // The shortest text of 1.005 is a tie, rounded to even; 9027161.35 is not 9027161.3499999996.
    EXPECT_EQ(texts(decimal(2), {0.125, 0.375, 0.1251, 1.005}), "0.12 0.38 0.13 1");
    EXPECT_EQ(texts(decimal(0), {2.5, 3.5, 0.5, -0.0}), "2 4 0 -0");
    EXPECT_EQ(texts(decimal(3), {999.9996, -0.0004, 100, 0.05, -12.5, NAN, -INFINITY}),
              "1,000 -0 100 0.05 -12.5 NaN -∞");
    EXPECT_EQ(texts(decimal(10), {9027161.35, 1234567.5, 1e-10}), "9,027,161.35 1,234,567.5 0.0000000001");
    EXPECT_EQ(texts(decimal(10, false), {1234567.5, 1e21}), "1234567.5 1000000000000000000000");
    EXPECT_EQ(texts(decimal(-4), {1.5}), "2");  // negative counts act as none
}

}  // namespace
