#include "Radixel/math/RecordDecoding.hpp"

#include <cmath>

namespace recorddecoding {

namespace {

[[noreturn]] void fail(const char* recordName, const std::string& problem) {
    throw RecordDecodingError(std::string(recordName) + ": " + problem);
}

std::string quoted(const std::string& key) { return "\"" + key + "\""; }

const nlohmann::json& requiredValue(const nlohmann::json& record, const char* key, const char* recordName) {
    auto it = record.find(key);
    if (it == record.end()) fail(recordName, "missing key " + quoted(key));
    return *it;
}

// Null counts as missing for optional keys.
const nlohmann::json* optionalValue(const nlohmann::json& record, const char* key) {
    auto it = record.find(key);
    if (it == record.end() || it->is_null()) return nullptr;
    return &*it;
}

[[noreturn]] void wrongType(const char* recordName, const std::string& where, const char* expected,
                            const nlohmann::json& found) {
    fail(recordName, where + " must be " + expected + ", not " + found.type_name());
}

std::vector<std::string> stringList(const nlohmann::json& value, const char* key, const char* recordName) {
    if (!value.is_array()) wrongType(recordName, quoted(key), "an array of strings", value);
    std::vector<std::string> list;
    list.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const nlohmann::json& element = value[i];
        if (!element.is_string())
            wrongType(recordName, quoted(key) + "[" + std::to_string(i) + "]", "a string", element);
        list.push_back(element.get<std::string>());
    }
    return list;
}

double finiteNumber(const nlohmann::json& value, const std::string& where, const char* recordName) {
    if (!value.is_number()) wrongType(recordName, where, "a number", value);
    double number = value.get<double>();
    if (!std::isfinite(number)) fail(recordName, where + " must be a finite number");
    return number;
}

}  // namespace

void requireObject(const nlohmann::json& record, const char* recordName) {
    if (!record.is_object()) wrongType(recordName, "the record", "an object", record);
}

std::string requiredString(const nlohmann::json& record, const char* key, const char* recordName) {
    const nlohmann::json& value = requiredValue(record, key, recordName);
    if (!value.is_string()) wrongType(recordName, quoted(key), "a string", value);
    return value.get<std::string>();
}

std::vector<std::string> requiredStringList(const nlohmann::json& record, const char* key, const char* recordName) {
    return stringList(requiredValue(record, key, recordName), key, recordName);
}

std::optional<std::vector<std::string>> optionalStringList(const nlohmann::json& record, const char* key,
                                                           const char* recordName) {
    const nlohmann::json* value = optionalValue(record, key);
    if (!value) return std::nullopt;
    return stringList(*value, key, recordName);
}

double requiredNumber(const nlohmann::json& record, const char* key, const char* recordName) {
    return finiteNumber(requiredValue(record, key, recordName), quoted(key), recordName);
}

std::optional<std::map<std::string, double>> optionalNumberDictionary(const nlohmann::json& record, const char* key,
                                                                      const char* recordName) {
    const nlohmann::json* value = optionalValue(record, key);
    if (!value) return std::nullopt;
    if (!value->is_object()) wrongType(recordName, quoted(key), "an object of numbers", *value);
    std::map<std::string, double> dictionary;
    for (const auto& [name, number] : value->items())
        dictionary.emplace(name, finiteNumber(number, quoted(key) + "." + quoted(name), recordName));
    return dictionary;
}

}  // namespace recorddecoding
