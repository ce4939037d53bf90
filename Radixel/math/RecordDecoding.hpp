#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// Why a catalogue record could not be read: names the record and the key at fault, so one
// line tells what is wrong with the file ("Unit: missing key \"factor\"").
class RecordDecodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Strict readers for the catalogue records' keyed form. Required keys must be present with a
// value of the right type; optional keys may also be missing or null. Anything else throws
// RecordDecodingError. Keys the record does not know are never looked at.
namespace recorddecoding {

// The record must be a JSON object.
void requireObject(const nlohmann::json& record, const char* recordName);

std::string requiredString(const nlohmann::json& record, const char* key, const char* recordName);
std::vector<std::string> requiredStringList(const nlohmann::json& record, const char* key, const char* recordName);
std::optional<std::vector<std::string>> optionalStringList(const nlohmann::json& record, const char* key,
                                                           const char* recordName);
// A JSON number (integer or not) that fits a finite Double.
double requiredNumber(const nlohmann::json& record, const char* key, const char* recordName);
// A JSON object from text to number.
std::optional<std::map<std::string, double>> optionalNumberDictionary(const nlohmann::json& record, const char* key,
                                                                      const char* recordName);

}  // namespace recorddecoding
