#include "Radixel/screens/calculate/KeypadEditing.hpp"

#include <algorithm>
#include <utility>

namespace {

// Every byte but a UTF-8 continuation byte starts a character: the field's own count.
bool startsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

int64_t characterCount(const std::string& text) {
    return std::count_if(text.begin(), text.end(), startsCharacter);
}

size_t byteOffset(const std::string& text, int64_t characters) {
    int64_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!startsCharacter(text[i])) continue;
        if (seen == characters) return i;
        ++seen;
    }
    return text.size();
}

struct Selection {
    int64_t start;
    int64_t end;
};

Selection clamped(const std::string& text, int64_t start, int64_t end) {
    const int64_t length = characterCount(text);
    start = std::clamp<int64_t>(start, 0, length);
    end = std::clamp<int64_t>(end, 0, length);
    if (end < start) std::swap(start, end);
    return {start, end};
}

std::string removing(const std::string& text, Selection selection) {
    const size_t from = byteOffset(text, selection.start);
    std::string result = text;
    result.erase(from, byteOffset(text, selection.end) - from);
    return result;
}

}  // namespace

KeypadEditResult insertingKeypadValue(const std::string& text, int64_t selectionStart, int64_t selectionEnd,
                                      const std::string& keyTitle) {
    const Selection selection = clamped(text, selectionStart, selectionEnd);
    std::string result = removing(text, selection);
    result.insert(byteOffset(result, selection.start), keyTitle);
    return {std::move(result), selection.start + characterCount(keyTitle)};
}

std::optional<KeypadEditResult> deletingAtCursor(const std::string& text, int64_t selectionStart,
                                                 int64_t selectionEnd) {
    Selection selection = clamped(text, selectionStart, selectionEnd);
    if (selection.end == 0) return std::nullopt;
    if (selection.start == selection.end) --selection.start;
    return KeypadEditResult{removing(text, selection), selection.start};
}
