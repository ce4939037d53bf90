#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/JSONDecoder.hpp"

using nlohmann::json;

TEST(JSONDecoder, RefusesEmptyMalformedAndDeeplyNestedData) {
    JSONDecoder decoder;
    EXPECT_THROW(decoder.parse(""), JSONDecodingError);
    EXPECT_THROW(decoder.parse("{\"apps\": [}"), JSONDecodingError);
    EXPECT_THROW(decoder.parse("\xff\xfe"), JSONDecodingError);
    EXPECT_THROW(decoder.parse(std::string(100000, '[') + std::string(100000, ']')), JSONDecodingError);
    // Brackets inside strings are text, not nesting.
    json value = decoder.parse("{\"a\": \"" + std::string(1000, '[') + "\\\"{\"}");
    EXPECT_EQ(value["a"].get<std::string>().size(), 1002u);
}

TEST(JSONDecoder, TheMaximumDepthIsItselfAllowed) {
    JSONDecoder decoder(2);
    EXPECT_EQ(decoder.parse("[[1]]"), json::parse("[[1]]"));
    EXPECT_THROW(decoder.parse("[[[1]]]"), JSONDecodingError);
}
