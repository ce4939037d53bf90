#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/foundation/JSONDecodingError.hpp"

// Checks each field of a record, starting from a complete one that decodes: a value of another
// JSON type fails the record, and so does a missing or null field unless it is optional.
// decode(json) decodes a record, throwing JSONDecodingError.
template <typename Decode>
void expectEveryFieldChecked(const nlohmann::json& complete, const std::set<std::string>& optional, Decode decode) {
    EXPECT_NO_THROW(decode(complete));
    for (const auto& [key, value] : complete.items()) {
        SCOPED_TRACE(key);
        nlohmann::json record = complete;
        record[key] = value.is_string() ? nlohmann::json(1) : nlohmann::json("text");
        EXPECT_THROW(decode(record), JSONDecodingError);
        for (bool null : {false, true}) {
            if (null)
                record[key] = nullptr;
            else
                record.erase(key);
            if (optional.count(key))
                EXPECT_NO_THROW(decode(record));
            else
                EXPECT_THROW(decode(record), JSONDecodingError);
        }
    }
}
