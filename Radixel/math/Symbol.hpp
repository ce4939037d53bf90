#pragma once

#include <map>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

// A symbol of a formula (its classification, key, LaTeX text, name and unit) with optional
// numeric rules for the values it may take.
struct Symbol {
    std::string category;
    std::string subcategory;
    std::string topic;
    std::string key;
    std::string latex;
    std::string name;
    std::string unit;
    std::optional<std::map<std::string, double>> rules;
};

// Every key but "rules" is required; a missing or null "rules" leaves it absent, {} gives a
// present empty dictionary. Throws JSONDecodingError (its path starts at "Symbol") and leaves
// symbol untouched when the record is incomplete.
void from_json(const nlohmann::json& json, Symbol& symbol);
// Keys in field order (hence ordered_json); "rules" only when present.
void to_json(nlohmann::ordered_json& json, const Symbol& symbol);
