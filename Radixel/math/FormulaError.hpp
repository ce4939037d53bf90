#pragma once

#include <cstddef>
#include <exception>
#include <functional>

// The failure of a catalogue or resource set-up, thrown by the loaders.
class FormulaError : public std::exception {
public:
    enum Code { configurationFailed };

    explicit FormulaError(Code code) : code_(code) {}

    Code code() const { return code_; }
    const char* what() const noexcept override;

    friend bool operator==(const FormulaError& a, const FormulaError& b) { return a.code_ == b.code_; }

private:
    Code code_;
};

template <>
struct std::hash<FormulaError> {
    std::size_t operator()(const FormulaError& error) const noexcept { return std::hash<int>{}(error.code()); }
};
