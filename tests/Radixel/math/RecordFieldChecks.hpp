#pragma once

#include <gtest/gtest.h>

#include <set>

#include <nlohmann/json.hpp>

#include "platform/foundation/JSONDecodingError.hpp"

// The record with one field set to value.
inline nlohmann::json with(nlohmann::json record, const char* key, nlohmann::json value) {
    record[key] = std::move(value);
    return record;
}

// From a complete record that recode (decode, throwing JSONDecodingError, then encode) gives back
// whole: a field of another JSON type fails, and so does a missing or null one unless optional.
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
