#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/foundation/JSONDecodingError.hpp"

// Turns the bytes of a JSON text into a value for the record decoders, refusing empty data,
// malformed text and nesting deeper than any record needs.
class JSONDecoder {
public:
    static constexpr int defaultMaximumDepth = 32;

    explicit JSONDecoder(int maximumDepth = defaultMaximumDepth) : maximumDepth_(maximumDepth) {}

    // Throws JSONDecodingError.
    nlohmann::json parse(std::string_view data) const;

private:
    int maximumDepth_;
};
