#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Radixel/JSONDecoder.hpp"

// Reads the fields of one record from a JSON object with the strictness the remote values
// need: a required key must be present with exactly its JSON type, an optional one may be
// missing or null, and keys nobody asks for are ignored. Failures throw JSONDecodingError
// naming the path ("apps[2].shouldShow"), so one bad record fails the value that holds it.
class JSONRecordReader {
public:
    // Throws when value is not an object.
    JSONRecordReader(const nlohmann::json& value, std::string path);

    std::string string(const char* key) const;
    std::vector<std::string> stringArray(const char* key) const;
    std::map<std::string, std::string> stringDictionary(const char* key) const;
    bool boolean(const char* key) const;
    std::optional<bool> optionalBoolean(const char* key) const;
    int64_t integer(const char* key) const;
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
