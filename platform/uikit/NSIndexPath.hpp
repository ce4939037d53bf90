#pragma once

#include <compare>
#include <cstdint>
#include <string>

// A row (or item) in a section of a table or collection.
struct NSIndexPath {
    int64_t section = 0;
    int64_t row = 0;

    static NSIndexPath indexPathForRow(int64_t row, int64_t section) { return {section, row}; }
    static NSIndexPath indexPathForItem(int64_t item, int64_t section) { return {section, item}; }
    int64_t item() const { return row; }

    std::string description() const
    {
        std::string text("[");
        text += std::to_string(section);
        text += ", ";
        text += std::to_string(row);
        text += "]";
        return text;
    }

    friend auto operator<=>(const NSIndexPath&, const NSIndexPath&) = default;
};
