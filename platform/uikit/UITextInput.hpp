#pragma once

#include <cstdint>

// A place in a text, counted in characters from its start.
struct UITextPosition {
    int64_t offset = 0;
    friend auto operator<=>(const UITextPosition&, const UITextPosition&) = default;
};

// A stretch of text between two positions, start ≤ end.
struct UITextRange {
    UITextPosition start;
    UITextPosition end;
    bool isEmpty() const { return start == end; }
    friend bool operator==(const UITextRange&, const UITextRange&) = default;
};

// A range of characters as delegates see it: location and length.
struct NSRange {
    int64_t location = 0;
    int64_t length = 0;
    friend bool operator==(const NSRange&, const NSRange&) = default;
};
