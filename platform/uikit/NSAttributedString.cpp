#include "platform/uikit/NSAttributedString.hpp"

NSAttributedString::NSAttributedString(std::string text, NSAttributes attributes) : text_(std::move(text))
{
    if (!text_.empty()) {
        runs_.push_back({0, text_.size(), std::move(attributes)});
    }
}

NSAttributes NSAttributedString::attributesAtIndex(size_t index) const
{
    for (const auto& run : runs_) {
        if (index >= run.location && index < run.location + run.length) {
            return run.attributes;
        }
    }
    return {};
}

void NSAttributedString::append(const NSAttributedString& other)
{
    size_t offset = text_.size();
    text_ += other.text_;
    for (auto run : other.runs_) {
        run.location += offset;
        if (!runs_.empty() && runs_.back().attributes == run.attributes && runs_.back().location + runs_.back().length == run.location) {
            runs_.back().length += run.length;
        } else {
            runs_.push_back(run);
        }
    }
}
