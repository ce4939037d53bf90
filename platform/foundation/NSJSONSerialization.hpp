#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/foundation/NSError.hpp"

// JSON text to values and back. Input from outside is untrusted: malformed text and nesting
// deeper than maximumDepth are refused with an error instead of exhausting the stack later.
class NSJSONSerialization {
public:
    static constexpr int maximumDepth = 512;
    static constexpr const char* errorDomain = "NSCocoaErrorDomain";
    static constexpr std::int64_t readErrorCode = 3840;
    static constexpr std::int64_t writeErrorCode = 3851;

    // Parses one JSON text (any top-level value); none on failure, with the reason in error. A NUL
    // byte anywhere makes the text malformed.
    static std::optional<nlohmann::json> JSONObjectWithData(std::string_view data, NSError* error = nullptr);

    // The value as JSON text, indented by four spaces when prettyPrinted. Text that is not valid
    // UTF-8 and numbers that JSON cannot carry (NaN, infinities) fail with error.
    static std::optional<std::string> dataWithJSONObject(const nlohmann::json& value, bool prettyPrinted,
                                                         NSError* error = nullptr);

    // Deepest nesting of arrays and objects in JSON text (0 for a scalar), without parsing it.
    static int nestingDepth(std::string_view data);
};
