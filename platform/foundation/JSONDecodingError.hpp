#pragma once

#include <stdexcept>

// Why a JSON value could not become a record: one line, naming the place in the value.
class JSONDecodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
