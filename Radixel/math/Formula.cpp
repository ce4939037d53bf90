#include "Radixel/math/Formula.hpp"

#include "Radixel/math/RecordDecoding.hpp"

using namespace recorddecoding;

void from_json(const nlohmann::json& json, Formula& formula) {
    static constexpr const char* record = "Formula";
    requireObject(json, record);
    Formula decoded;
    decoded.category = requiredString(json, "category", record);
    decoded.subcategory = requiredString(json, "subcategory", record);
    decoded.topic = requiredString(json, "topic", record);
    decoded.type = requiredString(json, "type", record);
    decoded.imageName = requiredString(json, "imageName", record);
    decoded.searched = requiredString(json, "searched", record);
    decoded.given = requiredStringList(json, "given", record);
    decoded.latex = requiredString(json, "latex", record);
    decoded.identifier = requiredString(json, "identifier", record);
    decoded.conditions = optionalStringList(json, "conditions", record);
    decoded.description = requiredString(json, "description", record);
    formula = std::move(decoded);
}

void to_json(nlohmann::ordered_json& json, const Formula& formula) {
    json = nlohmann::ordered_json::object();
    json["category"] = formula.category;
    json["subcategory"] = formula.subcategory;
    json["topic"] = formula.topic;
    json["type"] = formula.type;
    json["imageName"] = formula.imageName;
    json["searched"] = formula.searched;
    json["given"] = formula.given;
    json["latex"] = formula.latex;
    json["identifier"] = formula.identifier;
    if (formula.conditions) json["conditions"] = *formula.conditions;
    json["description"] = formula.description;
}
