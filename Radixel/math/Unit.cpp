#include "Radixel/math/Unit.hpp"

#include "platform/foundation/JSONRecordReader.hpp"

Unit Unit::decode(const nlohmann::json& json, const std::string& path) {
    JSONRecordReader reader(json, path);
    Unit decoded;
    decoded.key = reader.string("key");
    decoded.latex = reader.string("latex");
    decoded.name = reader.string("name");
    decoded.factor = reader.finiteNumber("factor");
    return decoded;
}

void from_json(const nlohmann::json& json, Unit& unit) { unit = Unit::decode(json, "Unit"); }

void to_json(nlohmann::ordered_json& json, const Unit& unit) {
    json = nlohmann::ordered_json::object();
    json["key"] = unit.key;
    json["latex"] = unit.latex;
    json["name"] = unit.name;
    json["factor"] = unit.factor;
}
