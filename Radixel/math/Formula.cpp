#include "Radixel/math/Formula.hpp"

#include "platform/foundation/JSONRecordReader.hpp"

void from_json(const nlohmann::json& json, Formula& formula) {
    JSONRecordReader reader(json, "Formula");
    Formula decoded;
    decoded.category = reader.string("category");
    decoded.subcategory = reader.string("subcategory");
    decoded.topic = reader.string("topic");
    decoded.type = reader.string("type");
    decoded.imageName = reader.string("imageName");
    decoded.searched = reader.string("searched");
    decoded.given = reader.stringArray("given");
    decoded.latex = reader.string("latex");
    decoded.identifier = reader.string("identifier");
    decoded.conditions = reader.optionalStringArray("conditions");
    decoded.description = reader.string("description");
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
