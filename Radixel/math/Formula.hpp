#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// One formula of a catalogue, classified by category, subcategory and topic like the symbols
// and the input manager.
struct Formula {
    std::string category;
    std::string subcategory;
    std::string topic;
    std::string type;
    std::string imageName;
    std::string searched;
    std::vector<std::string> given;
    std::string latex;
    std::string identifier;
    std::optional<std::vector<std::string>> conditions;
    std::string description;
};

// Every key but "conditions" is required; a missing or null "conditions" leaves it absent.
// Throws JSONDecodingError (its path starts at "Formula") and leaves formula untouched when
// the record is incomplete.
void from_json(const nlohmann::json& json, Formula& formula);
// Keys in field order (hence ordered_json); "conditions" only when present.
void to_json(nlohmann::ordered_json& json, const Formula& formula);
