#pragma once

#include <string>

#include <nlohmann/json.hpp>

// A unit of measurement. factor is the number of the holder's default unit in one of this
// unit (for lengths: metres per unit), so value_in_default = value_in_unit * factor.
struct Unit {
    std::string key;
    std::string latex;
    std::string name;
    double factor = 1.0;

    // All four keys are required; factor must be a finite number. Throws JSONDecodingError
    // naming path when the record is incomplete.
    static Unit decode(const nlohmann::json& json, const std::string& path);
};

// Unit::decode with the path "Unit"; leaves unit untouched when the record is incomplete.
void from_json(const nlohmann::json& json, Unit& unit);
// Keys in field order (hence ordered_json).
void to_json(nlohmann::ordered_json& json, const Unit& unit);
