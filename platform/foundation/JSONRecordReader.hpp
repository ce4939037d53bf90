#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/foundation/JSONDecodingError.hpp"

// Reads the fields of one record from a JSON object strictly, for remote values and bundled
// catalogues alike: a required key must be present with exactly its JSON type, an optional
// one may be missing or null, and keys nobody asks for are ignored. Failures throw
// JSONDecodingError naming the path ("apps[2].shouldShow", "Unit.factor"), so one bad record
// fails the value that holds it and the message says which one.
class JSONRecordReader {
public:
    // Throws when value is not an object. path names the record in messages; "" is the top level.
    JSONRecordReader(const nlohmann::json& value, std::string path);
    // The reader keeps a reference to the value, which a temporary would not outlive.
    JSONRecordReader(const nlohmann::json&& value, std::string path) = delete;

    std::string string(const char* key) const;
    std::vector<std::string> stringArray(const char* key) const;
    std::optional<std::vector<std::string>> optionalStringArray(const char* key) const;
    std::map<std::string, std::string> stringDictionary(const char* key) const;
    bool boolean(const char* key) const;
    std::optional<bool> optionalBoolean(const char* key) const;
    int64_t integer(const char* key) const;
    // Any JSON number, whole or not, as long as it is finite.
    double finiteNumber(const char* key) const;
    // An absent dictionary is not an empty one: {} gives a present, empty map.
    std::optional<std::map<std::string, double>> optionalNumberDictionary(const char* key) const;
    // The raw array under key, for lists of records.
    const nlohmann::json& array(const char* key) const;

    std::string pathOf(const char* key) const { return path_.empty() ? key : path_ + "." + key; }

    // The same checks for a value that is not inside a record (the top of a remote value).
    static std::string requireString(const nlohmann::json& value, const std::string& path);
    static std::vector<std::string> requireStringArray(const nlohmann::json& value, const std::string& path);
    static std::map<std::string, std::string> requireStringDictionary(const nlohmann::json& value,
                                                                      const std::string& path);
    static const nlohmann::json& requireArray(const nlohmann::json& value, const std::string& path);
    static const nlohmann::json& requireObject(const nlohmann::json& value, const std::string& path);

private:
    const nlohmann::json& required(const char* key) const;
    // Null counts as missing, so a writer may spell an absent value either way.
    const nlohmann::json* optional(const char* key) const;

    const nlohmann::json& object_;
    std::string path_;
};

// Decodes a JSON object of lists of records: {"any key": [record, ...], ...}.
template <typename Record>
std::map<std::string, std::vector<Record>> decodeRecordListDictionary(const nlohmann::json& value,
                                                                     const std::string& path) {
    std::map<std::string, std::vector<Record>> result;
    for (const auto& [key, list] : JSONRecordReader::requireObject(value, path).items()) {
        std::string listPath = path + "." + key;
        std::vector<Record>& records = result[key];
        const nlohmann::json& array = JSONRecordReader::requireArray(list, listPath);
        records.reserve(array.size());
        for (std::size_t i = 0; i < array.size(); ++i)
            records.push_back(Record::decode(array[i], listPath + "[" + std::to_string(i) + "]"));
    }
    return result;
}
