#include "platform/foundation/NSJSONSerialization.hpp"

#include <cmath>
#include <vector>

namespace {

void fail(NSError* error, std::int64_t code, const std::string& description) {
    if (error) *error = NSError{NSJSONSerialization::errorDomain, code, description};
}

// Walks with an explicit stack so that a deep value cannot exhaust the call stack here either.
bool hasNonFiniteNumber(const nlohmann::json& root) {
    std::vector<const nlohmann::json*> pending{&root};
    while (!pending.empty()) {
        const nlohmann::json* value = pending.back();
        pending.pop_back();
        if (value->is_number_float() && !std::isfinite(value->get<double>())) return true;
        if (value->is_structured())
            for (const auto& child : *value) pending.push_back(&child);
    }
    return false;
}

}  // namespace

int NSJSONSerialization::nestingDepth(std::string_view data) {
    int depth = 0, deepest = 0;
    bool inString = false, escaped = false;
    for (char c : data) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > deepest) deepest = depth;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

std::optional<nlohmann::json> NSJSONSerialization::JSONObjectWithData(std::string_view data, NSError* error) {
    // The parser treats a NUL byte as the end of the text and would accept whatever came before;
    // JSON has no place for one (inside a text it must be escaped), so the whole text is malformed.
    if (data.find('\0') != std::string_view::npos) {
        fail(error, readErrorCode, "The data is not valid JSON: it holds a NUL byte.");
        return std::nullopt;
    }
    if (nestingDepth(data) > maximumDepth) {
        fail(error, readErrorCode, "The JSON text is nested deeper than " + std::to_string(maximumDepth) + " levels.");
        return std::nullopt;
    }
    try {
        return nlohmann::json::parse(data);
    } catch (const nlohmann::json::exception& e) {
        fail(error, readErrorCode, std::string("The data is not valid JSON: ") + e.what());
        return std::nullopt;
    }
}

std::optional<std::string> NSJSONSerialization::dataWithJSONObject(const nlohmann::json& value, bool prettyPrinted,
                                                                   NSError* error) {
    if (hasNonFiniteNumber(value)) {
        fail(error, writeErrorCode, "Invalid number value (NaN or infinity) in JSON write.");
        return std::nullopt;
    }
    try {
        return value.dump(prettyPrinted ? 4 : -1);
    } catch (const nlohmann::json::exception& e) {
        fail(error, writeErrorCode, std::string("The value cannot be written as JSON: ") + e.what());
        return std::nullopt;
    }
}
