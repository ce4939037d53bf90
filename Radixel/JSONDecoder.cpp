#include "Radixel/JSONDecoder.hpp"

std::size_t JSONDecoder::nestingDepth(std::string_view text, std::size_t limit) {
    std::size_t depth = 0;
    std::size_t deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        switch (c) {
            case '"':
                inString = true;
                break;
            case '[':
            case '{':
                if (++depth > deepest) deepest = depth;
                if (deepest > limit) return deepest;
                break;
            case ']':
            case '}':
                if (depth > 0) --depth;
                break;
            default:
                break;
        }
    }
    return deepest;
}

nlohmann::json JSONDecoder::parse(std::string_view data) const {
    if (data.empty()) throw JSONDecodingError("The data is empty.");
    if (nestingDepth(data, maximumDepth_) > maximumDepth_)
        throw JSONDecodingError("The data is nested deeper than " + std::to_string(maximumDepth_) + " levels.");
    try {
        return nlohmann::json::parse(data.begin(), data.end());
    } catch (const nlohmann::json::exception& error) {
        throw JSONDecodingError(std::string("The data is not valid JSON: ") + error.what());
    }
}
