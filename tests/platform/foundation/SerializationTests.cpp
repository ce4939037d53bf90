#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>

#include "support/ScratchFolder.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"
#include "platform/foundation/NSPropertyListSerialization.hpp"

using nlohmann::json;

namespace {

TEST(NSJSONSerialization, RefusesMalformedAndTooDeeplyNestedText) {
    NSError error;
    EXPECT_FALSE(NSJSONSerialization::JSONObjectWithData("{\"apps\": [", &error));
    EXPECT_EQ(error.code, NSJSONSerialization::readErrorCode);
    EXPECT_FALSE(NSJSONSerialization::JSONObjectWithData("", &error));
    EXPECT_FALSE(NSJSONSerialization::JSONObjectWithData(std::string(100000, '['), &error));
    EXPECT_NE(error.localizedDescription.find("nested"), std::string::npos);

    // Brackets inside texts do not count as nesting.
    std::string quoted = "{\"latex\": \"" + std::string(1000, '[') + "\\\"{{{\"}";
    auto parsed = NSJSONSerialization::JSONObjectWithData(quoted, &error);
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)["latex"].get<std::string>().size(), 1004u);
    EXPECT_EQ(NSJSONSerialization::nestingDepth("[[1],[[2]]]"), 3);
}

TEST(NSJSONSerialization, ANulByteAnywhereMakesTheTextMalformed) {
    using namespace std::string_literals;
    for (const std::string& text : {"{\"a\": 1}\0{\"b\": 2}"s, "{\"a\": 1\0}"s, "\0"s, "[1, \"x\0y\"]"s, "{\"a\": 1}\0"s}) {
        NSError error;
        EXPECT_FALSE(NSJSONSerialization::JSONObjectWithData(text, &error)) << text.size();
        EXPECT_EQ(error.code, NSJSONSerialization::readErrorCode);
    }
    EXPECT_EQ(NSJSONSerialization::JSONObjectWithData("[1, \"x\\u0000y\"]"), json::array({1, "x"s + '\0' + "y"}));
}

TEST(NSJSONSerialization, WritesPrettyTextAndRefusesWhatJsonCannotCarry) {
    json apps = {{"apps", json::array({{{"bundleID", "com.radixel.app"}}})}};
    auto text = NSJSONSerialization::dataWithJSONObject(apps, true);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("\n    \"apps\""), std::string::npos);
    EXPECT_EQ(*NSJSONSerialization::JSONObjectWithData(*text), apps);

    NSError error;
    EXPECT_FALSE(NSJSONSerialization::dataWithJSONObject({{"x", std::numeric_limits<double>::quiet_NaN()}}, false, &error));
    EXPECT_FALSE(NSJSONSerialization::dataWithJSONObject(std::string("\xc3"), false, &error));
    EXPECT_EQ(error.code, NSJSONSerialization::writeErrorCode);
}

TEST(NSPropertyListSerialization, ReadsXmlAndBinaryPropertyListsIntoJson) {
    const std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>apps</key><array><dict>
    <key>appName</key><dict><key>en</key><string>Radixel</string></dict>
    <key>shouldShow</key><true/>
    <key>isMultiApp</key><false/>
    <key>calculationsUntilInterstitial</key><integer>3</integer>
    <key>offset</key><integer>-7</integer>
    <key>rating</key><real>4.5</real>
    <key>released</key><date>2024-01-31T12:00:00Z</date>
    <key>icon</key><data>aGVsbG8=</data>
  </dict></array>
</dict></plist>)";
    NSError error;
    auto root = NSPropertyListSerialization::propertyListWithData(xml, &error);
    ASSERT_TRUE(root) << error.description();
    const json& app = (*root)["apps"][0];
    EXPECT_EQ(app["appName"]["en"], "Radixel");
    EXPECT_EQ(app["shouldShow"], true);
    EXPECT_EQ(app["isMultiApp"], false);
    EXPECT_EQ(app["calculationsUntilInterstitial"], 3);
    EXPECT_TRUE(app["calculationsUntilInterstitial"].is_number_integer());
    EXPECT_EQ(app["offset"], -7);
    EXPECT_EQ(app["rating"], 4.5);
    EXPECT_EQ(app["released"], "2024-01-31T12:00:00Z");
    EXPECT_EQ(app["icon"], "aGVsbG8=");

    const std::string binary(
        "\x62\x70\x6c\x69\x73\x74\x30\x30\xd1\x01\x02\x54\x61\x70\x70\x73\xa1\x03\xd2\x04\x05\x06\x07\x58"
        "\x62\x75\x6e\x64\x6c\x65\x49\x44\x51\x6e\x5f\x10\x0f\x63\x6f\x6d\x2e\x72\x61\x64\x69\x78\x65\x6c"
        "\x2e\x61\x70\x70\x13\xff\xff\xff\xff\xff\xff\xff\xfd\x08\x0b\x10\x12\x17\x20\x22\x34\x00\x00\x00"
        "\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x08\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
        "\x00\x00\x00\x00\x3d",
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

    for (const std::string& broken :
         {std::string("<?xml version=\"1.0\"?><plist><dict><key>apps</key><array>"), std::string("bplist00\x01\x02", 10),
          std::string("not a property list at all"), std::string()}) {
        std::ofstream(folder.path() / "broken.plist", std::ios::binary) << broken;
        error = NSError{};
        EXPECT_FALSE(NSPropertyListSerialization::propertyListWithContentsOfFile(folder.path() / "broken.plist", &error));
        EXPECT_EQ(error.code, NSPropertyListSerialization::readCorruptErrorCode);
    }
}

// The parsing library aborts the program on a NUL character inside a key or text.
TEST(NSPropertyListSerialization, TextsWithANulCharacterDoNotStopTheProgram) {
    const std::string binaryWithNulKey(
        "\x62\x70\x6c\x69\x73\x74\x30\x30\xd2\x01\x02\x03\x04\x53\x61\x00\x62\x51\x6b\x51\x76\x53\x73\x00"
        "\x74\x08\x0d\x11\x13\x15\x00\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x05\x00\x00"
        "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x19",
        62);
    // Binary lists pass through the library's XML writer, which ends such texts at the NUL.
    EXPECT_EQ(NSPropertyListSerialization::propertyListWithData(binaryWithNulKey), json({{"a", "v"}, {"k", "s"}}));
    for (const std::string& xml : {std::string("<plist><dict><key>a&#0;b</key><string>v</string></dict></plist>"),
                                   std::string("<plist><dict><key>k</key><string>v&#x000;</string></dict></plist>"),
                                   std::string("<plist><dict><key>k</key><string>&#x100000000;</string></dict></plist>"),
                                   std::string("<plist><dict><key>a\0b</key><string>v</string></dict></plist>", 60)})
        EXPECT_FALSE(NSPropertyListSerialization::propertyListWithData(xml)) << xml;
    auto fine = NSPropertyListSerialization::propertyListWithData(
        "<plist><dict><key>caf&#233;</key><string>&#x263A;</string></dict></plist>");
    ASSERT_TRUE(fine);
    EXPECT_EQ((*fine)["caf\xc3\xa9"], "\xe2\x98\xba");
}

TEST(NSBundleIdentifier, ComesFromTheInfoPropertyList) {
    ScratchFolder folder;
    NSBundle bundle(folder.path());
    EXPECT_FALSE(bundle.bundleIdentifier());
    std::ofstream(folder.path() / "Info.plist")
        << "<plist version=\"1.0\"><dict><key>CFBundleIdentifier</key><string>com.example.test</string></dict></plist>";
    EXPECT_EQ(bundle.bundleIdentifier(), "com.example.test");
    EXPECT_EQ(NSBundle::mainBundle().bundleIdentifier(), "com.radixel.app");
}

}  // namespace
