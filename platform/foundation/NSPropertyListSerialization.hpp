#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/foundation/NSError.hpp"

// Property lists (XML or binary) to values. Dictionaries become JSON objects, arrays arrays,
// texts strings, Booleans and numbers themselves; dates become ISO 8601 texts in UTC
// ("2024-01-31T12:00:00Z") and data becomes its base64 text, since JSON has neither.
class NSPropertyListSerialization {
public:
    static constexpr const char* errorDomain = "NSCocoaErrorDomain";
    static constexpr std::int64_t readCorruptErrorCode = 3840;
    static constexpr std::int64_t fileReadErrorCode = 260;

    // Parses the bytes of one property list; none with the reason in error when they are not one,
    // or when it nests deeper than NSJSONSerialization::maximumDepth. A NUL character cannot be
    // carried: XML text holding one (raw or as a character reference) is refused, and in a
    // binary list it ends its key or text.
    static std::optional<nlohmann::json> propertyListWithData(std::string_view data, NSError* error = nullptr);

    // Reads and parses a property-list file.
    static std::optional<nlohmann::json> propertyListWithContentsOfFile(const std::filesystem::path& file,
                                                                         NSError* error = nullptr);
};
