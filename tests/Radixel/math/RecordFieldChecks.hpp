#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/foundation/JSONDecodingError.hpp"

// Checks each field of a record, starting from a complete one that decodes and encodes back to
// itself: a value of another JSON type fails the record, and so does a missing or null field
// unless it is optional, which is then left out of the encoding. recode(json) decodes, throwing
// JSONDecodingError, and encodes again.
template <typename Recode>
void expectEveryFieldChecked(const nlohmann::json& complete, const std::set<std::string>& optional, Recode recode) {
    EXPECT_EQ(recode(complete), complete);
    for (const auto& [key, value] : complete.items()) {
        SCOPED_TRACE(key);
        nlohmann::json record = complete;
        record[key] = value.is_string() ? nlohmann::json(1) : nlohmann::json("text");
        EXPECT_THROW(recode(record), JSONDecodingError);
        for (bool null : {false, true}) {
            if (null)
                record[key] = nullptr;
            else
                record.erase(key);
            if (optional.count(key))
                EXPECT_FALSE(recode(record).contains(key));
            else
                EXPECT_THROW(recode(record), JSONDecodingError);
        }
    }
}
