#include "platform/foundation/JSONRecordReader.hpp"

#include <cmath>
#include <limits>

namespace {

const char* typeName(const nlohmann::json& value) {
    switch (value.type()) {
        case nlohmann::json::value_t::null:
            return "null";
        case nlohmann::json::value_t::object:
            return "an object";
        case nlohmann::json::value_t::array:
            return "an array";
        case nlohmann::json::value_t::string:
            return "a string";
        case nlohmann::json::value_t::boolean:
            return "a boolean";
        case nlohmann::json::value_t::number_integer:
        case nlohmann::json::value_t::number_unsigned:
            return "an integer";
        case nlohmann::json::value_t::number_float:
            return "a number";
        default:
            return "an unsupported value";
    }
}

std::string placeName(const std::string& path) { return path.empty() ? std::string("the top level") : path; }

[[noreturn]] void typeMismatch(const std::string& path, const char* expected, const nlohmann::json& found) {
    throw JSONDecodingError("Type mismatch at " + placeName(path) + ": expected " + expected + ", found " +
                            typeName(found) + ".");
}

// A whole number is a number too: a factor written 1000 is as good as 1000.0.
double requireFiniteNumber(const nlohmann::json& value, const std::string& path) {
    if (!value.is_number()) typeMismatch(path, "a number", value);
    double number = value.get<double>();
    if (!std::isfinite(number)) throw JSONDecodingError("Number at " + placeName(path) + " is not finite.");
    return number;
}

}  // namespace

JSONRecordReader::JSONRecordReader(const nlohmann::json& value, std::string path)
    : object_(requireObject(value, path)), path_(std::move(path)) {}

const nlohmann::json& JSONRecordReader::required(const char* key) const {
    auto it = object_.find(key);
    if (it == object_.end())
        throw JSONDecodingError("Key not found: \"" + std::string(key) + "\" at " + placeName(path_) + ".");
    return *it;
}

const nlohmann::json* JSONRecordReader::optional(const char* key) const {
    auto it = object_.find(key);
    if (it == object_.end() || it->is_null()) return nullptr;
    return &*it;
}

std::string JSONRecordReader::string(const char* key) const { return requireString(required(key), pathOf(key)); }

std::vector<std::string> JSONRecordReader::stringArray(const char* key) const {
    return requireStringArray(required(key), pathOf(key));
}

std::optional<std::vector<std::string>> JSONRecordReader::optionalStringArray(const char* key) const {
    const nlohmann::json* value = optional(key);
    if (!value) return std::nullopt;
    return requireStringArray(*value, pathOf(key));
}

std::map<std::string, std::string> JSONRecordReader::stringDictionary(const char* key) const {
    return requireStringDictionary(required(key), pathOf(key));
}

bool JSONRecordReader::boolean(const char* key) const {
    const nlohmann::json& value = required(key);
    if (!value.is_boolean()) typeMismatch(pathOf(key), "a boolean", value);
    return value.get<bool>();
}

std::optional<bool> JSONRecordReader::optionalBoolean(const char* key) const {
    const nlohmann::json* value = optional(key);
    if (!value) return std::nullopt;
    if (!value->is_boolean()) typeMismatch(pathOf(key), "a boolean", *value);
    return value->get<bool>();
}

int64_t JSONRecordReader::integer(const char* key) const {
    const nlohmann::json& value = required(key);
    if (value.is_number_integer() && !value.is_number_unsigned()) return value.get<int64_t>();
    if (value.is_number_unsigned()) {
        auto unsignedValue = value.get<uint64_t>();
        if (unsignedValue <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
            return static_cast<int64_t>(unsignedValue);
        throw JSONDecodingError("Number at " + pathOf(key) + " does not fit a signed 64-bit integer.");
    }
    typeMismatch(pathOf(key), "an integer", value);
}

double JSONRecordReader::finiteNumber(const char* key) const { return requireFiniteNumber(required(key), pathOf(key)); }

std::optional<std::map<std::string, double>> JSONRecordReader::optionalNumberDictionary(const char* key) const {
    const nlohmann::json* value = optional(key);
    if (!value) return std::nullopt;
    std::string path = pathOf(key);
    std::map<std::string, double> result;
    for (const auto& [name, number] : requireObject(*value, path).items())
        result.emplace(name, requireFiniteNumber(number, path + "." + name));
    return result;
}

const nlohmann::json& JSONRecordReader::array(const char* key) const {
    return requireArray(required(key), pathOf(key));
}

std::string JSONRecordReader::requireString(const nlohmann::json& value, const std::string& path) {
    if (!value.is_string()) typeMismatch(path, "a string", value);
    return value.get<std::string>();
}

std::vector<std::string> JSONRecordReader::requireStringArray(const nlohmann::json& value, const std::string& path) {
    const nlohmann::json& array = requireArray(value, path);
    std::vector<std::string> result;
    result.reserve(array.size());
    for (std::size_t i = 0; i < array.size(); ++i)
        result.push_back(requireString(array[i], path + "[" + std::to_string(i) + "]"));
    return result;
}

std::map<std::string, std::string> JSONRecordReader::requireStringDictionary(const nlohmann::json& value,
                                                                             const std::string& path) {
    std::map<std::string, std::string> result;
    for (const auto& [key, text] : requireObject(value, path).items())
        result.emplace(key, requireString(text, path + "." + key));
    return result;
}

const nlohmann::json& JSONRecordReader::requireArray(const nlohmann::json& value, const std::string& path) {
    if (!value.is_array()) typeMismatch(path, "an array", value);
    return value;
}

const nlohmann::json& JSONRecordReader::requireObject(const nlohmann::json& value, const std::string& path) {
    if (!value.is_object()) typeMismatch(path, "an object", value);
    return value;
}
