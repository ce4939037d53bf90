#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/JSONDecoder.hpp"

using nlohmann::json;

TEST(JSONDecoder, RefusesEmptyMalformedAndTooDeeplyNestedData) {
    JSONDecoder decoder;
    EXPECT_THROW(decoder.parse(""), JSONDecodingError);
    EXPECT_THROW(decoder.parse("{\"apps\": [}"), JSONDecodingError);
    EXPECT_THROW(decoder.parse("\xff\xfe"), JSONDecodingError);
    EXPECT_THROW(decoder.parse(std::string(100000, '[') + std::string(100000, ']')), JSONDecodingError);
    // Brackets inside strings are text, not nesting.
    json value = decoder.parse("{\"a\": \"" + std::string(1000, '[') + "\\\"{\"}");
    EXPECT_EQ(value["a"].get<std::string>().size(), 1002u);
    // The maximum depth is itself allowed.
    EXPECT_EQ(JSONDecoder(2).parse("[[1]]"), json::parse("[[1]]"));
    EXPECT_THROW(JSONDecoder(2).parse("[[[1]]]"), JSONDecodingError);
}
