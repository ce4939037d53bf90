#include "measurement/model/APMDataTypeValidator.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "measurement/engine/APMMonitor.hpp"

using nlohmann::json;

namespace {

enum MessageCode : long {
    invalidEventName = 13001,
    invalidParameterName = 13002,
    unsupportedParameterValue = 13003,
    textCut = 13004,
    tooManyParameters = 13005,
    parametersNotADictionary = 13006,
    listCut = 13007,
    furtherWarningsLeftOut = 13008,
    tooManyListEntryParameters = 13009,
};

constexpr const char* reservedPrefixes[] = {"ddv_", "apm_"};

// The most bytes a text keeps: 100 characters of up to four bytes.
constexpr std::size_t maximumTextBytes = APMDataTypeValidator::maximumTextLength * 4;

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

// Cuts UTF-8 text after maximum characters without splitting a character. A character is a byte
// and at most three continuation bytes after it, so stray continuation bytes count as characters
// too and no text keeps more than maximumTextBytes.
bool cutText(std::string& text, std::size_t maximum) {
    std::size_t characters = 0;
    int trailing = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (continuation && i > 0 && trailing < 3) {
            ++trailing;
            continue;
        }
        trailing = 0;
        if (characters++ == maximum) {
            text.resize(i);
            return true;
        }
    }
    return false;
}

// A name as a warning shows it: callers' names can be of any length.
std::string shown(const std::string& name) {
    return name.size() <= APMDataTypeValidator::maximumNameLength
               ? name
               : name.substr(0, APMDataTypeValidator::maximumNameLength) + "...";
}

// The warnings about one event: each once, at most maximumWarningsPerEvent of them, and then one
// saying that more were left out.
class EventWarnings {
public:
    explicit EventWarnings(const std::string& eventName) : eventName_(shown(eventName)) {}

    // Logs message with the event's name and then the given context values.
    void warn(long code, const std::string& message, const std::optional<std::string>& first = std::nullopt,
              const std::optional<std::string>& second = std::nullopt) {
        if (count_ > APMDataTypeValidator::maximumWarningsPerEvent) return;
        // The same complaint about the same entry of every dictionary in a list is said once.
        if (!said_.emplace(code, first.value_or("")).second) return;
        if (count_++ == APMDataTypeValidator::maximumWarningsPerEvent) {
            APMMonitor::logWithLevel(APMMonitor::warning, furtherWarningsLeftOut,
                                     "Further warnings about this event were left out. Event name", {eventName_});
            return;
        }
        if (!first)
            APMMonitor::logWithLevel(APMMonitor::warning, code, message, {eventName_});
        else if (!second)
            APMMonitor::logWithLevel(APMMonitor::warning, code, message, {eventName_, *first});
        else
            APMMonitor::logWithLevel(APMMonitor::warning, code, message, {eventName_, *first, *second});
    }

private:
    std::string eventName_;
    int count_ = 0;
    std::set<std::pair<long, std::string>> said_;
};

// The value as stored, or none when it is refused; scalar values only.
std::optional<json> scalarValue(const json& value, const std::string& parameter, EventWarnings& warnings) {
    if (value.is_string()) {
        std::string text = value.get<std::string>();
        if (cutText(text, APMDataTypeValidator::maximumTextLength))
            warnings.warn(textCut, "Parameter value is too long and was cut. Event name, parameter name", shown(parameter));
        return text;
    }
    if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
    if (value.is_number_unsigned() &&
        value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
    if (value.is_number_integer()) return value.get<std::int64_t>();
    if (value.is_number_float() && std::isfinite(value.get<double>())) return value;
    return std::nullopt;
}

void refuseValue(const std::string& parameter, EventWarnings& warnings) {
    warnings.warn(unsupportedParameterValue,
                  "Parameter value is not supported and was dropped. Event name, parameter name", shown(parameter));
}

std::optional<json> listValue(const json& list, const std::string& parameter, EventWarnings& warnings) {
    json kept = json::array();
    for (const json& item : list) {
        if (!item.is_object()) return std::nullopt;
        if (kept.size() == APMDataTypeValidator::maximumListLength) {
            warnings.warn(listCut, "Parameter list is too long and was cut. Event name, parameter name", shown(parameter));
            break;
        }
        json entry = json::object();
        for (const auto& [key, value] : item.items()) {
            std::string path = parameter + "." + key;
            if (auto problem = APMDataTypeValidator::nameProblem(key)) {
                warnings.warn(invalidParameterName,
                              "Parameter name is invalid and was dropped. Event name, parameter name, reason",
                              shown(path), *problem);
                continue;
            }
            if (entry.size() == APMDataTypeValidator::maximumListEntryParameterCount) {
                warnings.warn(tooManyListEntryParameters,
                              "List entry has more than 25 parameters; the rest were dropped. Event name, parameter name",
                              shown(parameter));
                break;
            }
            if (auto stored = scalarValue(value, path, warnings))
                entry[key] = std::move(*stored);
            else
                refuseValue(path, warnings);
        }
        kept.push_back(std::move(entry));
    }
    return kept;
}

// The most bytes text takes in JSON once cut: quotes, escapes (up to six bytes for a control
// character) and invalid UTF-8 (three bytes each as U+FFFD) included.
std::size_t storedTextSize(const std::string& text) {
    std::size_t size = 2;
    std::size_t end = std::min(text.size(), maximumTextBytes);
    for (std::size_t i = 0; i < end; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        size += c < 0x20 ? 6 : (c == '"' || c == '\\') ? 2 : c >= 0x80 ? 3 : 1;
    }
    return size;
}

}  // namespace

std::optional<std::string> APMDataTypeValidator::nameProblem(const std::string& name) {
    if (name.empty()) return "the name is empty";
    if (name.size() > maximumNameLength) return "the name is longer than 40 characters";
    if (!std::isalpha(static_cast<unsigned char>(name[0])) || static_cast<unsigned char>(name[0]) >= 0x80)
        return "the name does not start with a letter";
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 || !(std::isalnum(u) || c == '_')) return "the name has characters other than letters, digits and _";
    }
    for (const char* prefix : reservedPrefixes)
        if (startsWithIgnoringCase(name, prefix)) return std::string("the prefix ") + prefix + " is reserved";
    return std::nullopt;
}

std::optional<APMEvent> APMDataTypeValidator::validatedEvent(APMEvent event) {
    EventWarnings warnings(event.name);
    if (auto problem = nameProblem(event.name)) {
        warnings.warn(invalidEventName, "Event name is invalid; the event was dropped. Event name, reason", *problem);
        return std::nullopt;
    }
    json parameters = json::object();
    if (!event.parameters.is_null() && !event.parameters.is_object()) {
        warnings.warn(parametersNotADictionary, "Event parameters are not a dictionary and were dropped. Event name");
    } else if (event.parameters.is_object()) {
        std::size_t count = 0;
        for (auto& [key, value] : event.parameters.items()) {
            if (auto problem = nameProblem(key)) {
                warnings.warn(invalidParameterName,
                              "Parameter name is invalid and was dropped. Event name, parameter name, reason",
                              shown(key), *problem);
                continue;
            }
            if (count == maximumParameterCount) {
                warnings.warn(tooManyParameters, "Event has more than 25 parameters; the rest were dropped. Event name");
                break;
            }
            std::optional<json> stored = value.is_array() ? listValue(value, key, warnings)
                                                          : scalarValue(value, key, warnings);
            if (!stored) {
                refuseValue(key, warnings);
                continue;
            }
            parameters[key] = std::move(*stored);
            ++count;
        }
    }
    event.parameters = std::move(parameters);
    return event;
}

std::size_t APMDataTypeValidator::parametersSizeEstimate(const json& parameters, std::size_t limit) {
    std::size_t size = 0;
    std::vector<const json*> pending{&parameters};
    while (!pending.empty() && size <= limit) {
        const json* value = pending.back();
        pending.pop_back();
        if (value->is_string()) {
            size += storedTextSize(value->get_ref<const std::string&>());
        } else if (value->is_object()) {
            size += 2;
            for (auto it = value->begin(); it != value->end() && size <= limit; ++it) {
                // A comma, the quoted name (longer ones are dropped) and a colon.
                size += std::min(it.key().size(), maximumNameLength) + 4;
                pending.push_back(&it.value());
            }
        } else if (value->is_array()) {
            size += 2;
            for (auto it = value->begin(); it != value->end() && size <= limit; ++it) {
                size += 1;
                pending.push_back(&*it);
            }
        } else {
            size += 24;  // the longest number JSON writes for an integer or a double
        }
    }
    return size;
}
