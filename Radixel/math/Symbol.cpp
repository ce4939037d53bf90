#include "Radixel/math/Symbol.hpp"

#include "platform/foundation/JSONRecordReader.hpp"

void from_json(const nlohmann::json& json, Symbol& symbol) {
    JSONRecordReader reader(json, "Symbol");
    Symbol decoded;
    decoded.category = reader.string("category");
    decoded.subcategory = reader.string("subcategory");
    decoded.topic = reader.string("topic");
    decoded.key = reader.string("key");
    decoded.latex = reader.string("latex");
    decoded.name = reader.string("name");
    decoded.unit = reader.string("unit");
    decoded.rules = reader.optionalNumberDictionary("rules");
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
