#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

// Why a JSON value could not become a record: one line, naming the place in the value.
class JSONDecodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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
