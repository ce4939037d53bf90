#include "measurement/model/APMDataTypeValidator.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>

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
};

constexpr const char* reservedPrefixes[] = {"ddv_", "apm_"};

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

// Cuts UTF-8 text after maximum characters without splitting a character.
bool cutText(std::string& text, std::size_t maximum) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (characters++ == maximum) {
            text.resize(i);
            return true;
        }
    }
    return false;
}

// The value as stored, or none when it is refused; scalar values only.
std::optional<json> scalarValue(const json& value, const std::string& eventName, const std::string& parameter) {
    if (value.is_string()) {
        std::string text = value.get<std::string>();
        if (cutText(text, APMDataTypeValidator::maximumTextLength))
            APMMonitor::logWithLevel(APMMonitor::warning, textCut,
                                     "Parameter value is too long and was cut. Event name, parameter name",
                                     {eventName, parameter});
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

void refuseValue(const std::string& eventName, const std::string& parameter) {
    APMMonitor::logWithLevel(APMMonitor::warning, unsupportedParameterValue,
                             "Parameter value is not supported and was dropped. Event name, parameter name",
                             {eventName, parameter});
}

std::optional<json> listValue(const json& list, const std::string& eventName, const std::string& parameter) {
    json kept = json::array();
    for (const json& item : list) {
        if (!item.is_object()) return std::nullopt;
        if (kept.size() == APMDataTypeValidator::maximumListLength) {
            APMMonitor::logWithLevel(APMMonitor::warning, listCut,
                                     "Parameter list is too long and was cut. Event name, parameter name",
                                     {eventName, parameter});
            break;
        }
        json entry = json::object();
        for (const auto& [key, value] : item.items()) {
            std::string path = parameter + "." + key;
            if (auto problem = APMDataTypeValidator::nameProblem(key)) {
                APMMonitor::logWithLevel(APMMonitor::warning, invalidParameterName,
                                         "Parameter name is invalid and was dropped. Event name, parameter name, reason",
                                         {eventName, path, *problem});
                continue;
            }
            if (auto stored = scalarValue(value, eventName, path))
                entry[key] = std::move(*stored);
            else
                refuseValue(eventName, path);
        }
        kept.push_back(std::move(entry));
    }
    return kept;
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
    if (auto problem = nameProblem(event.name)) {
        APMMonitor::logWithLevel(APMMonitor::warning, invalidEventName,
                                 "Event name is invalid; the event was dropped. Event name, reason",
                                 {event.name, *problem});
        return std::nullopt;
    }
    json parameters = json::object();
    if (!event.parameters.is_null() && !event.parameters.is_object()) {
        APMMonitor::logWithLevel(APMMonitor::warning, parametersNotADictionary,
                                 "Event parameters are not a dictionary and were dropped. Event name", {event.name});
    } else if (event.parameters.is_object()) {
        std::size_t count = 0;
        for (auto& [key, value] : event.parameters.items()) {
            if (auto problem = nameProblem(key)) {
                APMMonitor::logWithLevel(APMMonitor::warning, invalidParameterName,
                                         "Parameter name is invalid and was dropped. Event name, parameter name, reason",
                                         {event.name, key, *problem});
                continue;
            }
            if (count == maximumParameterCount) {
                APMMonitor::logWithLevel(APMMonitor::warning, tooManyParameters,
                                         "Event has more than 25 parameters; the rest were dropped. Event name",
                                         {event.name});
                break;
            }
            std::optional<json> stored = value.is_array() ? listValue(value, event.name, key)
                                                          : scalarValue(value, event.name, key);
            if (!stored) {
                refuseValue(event.name, key);
                continue;
            }
            parameters[key] = std::move(*stored);
            ++count;
        }
    }
    event.parameters = std::move(parameters);
    return event;
}
