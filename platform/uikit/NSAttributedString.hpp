#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"

// The text attributes the application uses.
struct NSAttributes {
    std::optional<UIFont> font;             // NSFontAttributeName
    std::optional<UIColor> foregroundColor; // NSForegroundColorAttributeName
    friend bool operator==(const NSAttributes&, const NSAttributes&) = default;
};

// Text with attributes over ranges of it. Ranges count bytes of the UTF-8 text.
class NSAttributedString {
public:
    struct Run {
        size_t location;
        size_t length;
        NSAttributes attributes;
        friend bool operator==(const Run&, const Run&) = default;
    };

    NSAttributedString() = default;
    explicit NSAttributedString(std::string text, NSAttributes attributes = {});

    const std::string& string() const { return text_; }
    size_t length() const { return text_.size(); }
    const std::vector<Run>& runs() const { return runs_; }
    // The attributes at an index; empty ones past the end.
    NSAttributes attributesAtIndex(size_t index) const;

    void append(const NSAttributedString& other);

    friend bool operator==(const NSAttributedString&, const NSAttributedString&) = default;

private:
    std::string text_;
    std::vector<Run> runs_;
};
