#include "Radixel/math/Symbol.hpp"

#include "Radixel/math/RecordDecoding.hpp"

using namespace recorddecoding;

void from_json(const nlohmann::json& json, Symbol& symbol) {
    static constexpr const char* record = "Symbol";
    requireObject(json, record);
    Symbol decoded;
    decoded.category = requiredString(json, "category", record);
    decoded.subcategory = requiredString(json, "subcategory", record);
    decoded.topic = requiredString(json, "topic", record);
    decoded.key = requiredString(json, "key", record);
    decoded.latex = requiredString(json, "latex", record);
    decoded.name = requiredString(json, "name", record);
    decoded.unit = requiredString(json, "unit", record);
    decoded.rules = optionalNumberDictionary(json, "rules", record);
    symbol = std::move(decoded);
}

void to_json(nlohmann::ordered_json& json, const Symbol& symbol) {
    json = nlohmann::ordered_json::object();
    json["category"] = symbol.category;
    json["subcategory"] = symbol.subcategory;
    json["topic"] = symbol.topic;
    json["key"] = symbol.key;
    json["latex"] = symbol.latex;
    json["name"] = symbol.name;
    json["unit"] = symbol.unit;
    if (symbol.rules) json["rules"] = *symbol.rules;
}
