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

// Turns the bytes of a JSON text into a value, refusing what the records can never need:
// empty data, malformed text and nesting deeper than maximumDepth (deep values would exhaust
// the stack of anything that walks them recursively).
class JSONDecoder {
public:
    static constexpr std::size_t defaultMaximumDepth = 32;

    explicit JSONDecoder(std::size_t maximumDepth = defaultMaximumDepth) : maximumDepth_(maximumDepth) {}

    // Throws JSONDecodingError.
    nlohmann::json parse(std::string_view data) const;

    // The deepest nesting of arrays and objects in the text, stopping early once limit is passed;
    // brackets inside strings do not count.
    static std::size_t nestingDepth(std::string_view text, std::size_t limit);

private:
    std::size_t maximumDepth_;
};
