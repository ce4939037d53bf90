#pragma once

#include <string>
#include <utility>

// One configuration value as the client holds it: the text stored under its key.
class RADEvuvozUziduzValue {
public:
    RADEvuvozUziduzValue() = default;
    explicit RADEvuvozUziduzValue(std::string data) : data_(std::move(data)) {}

    // The bytes of the value's text; empty when the key has no value.
    const std::string& dataValue() const { return data_; }
    const std::string& stringValue() const { return data_; }

private:
    std::string data_;
};
