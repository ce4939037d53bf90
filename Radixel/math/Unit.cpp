#include "Radixel/math/Unit.hpp"

#include "Radixel/math/RecordDecoding.hpp"

using namespace recorddecoding;

void from_json(const nlohmann::json& json, Unit& unit) {
    static constexpr const char* record = "Unit";
    requireObject(json, record);
    Unit decoded;
    decoded.key = requiredString(json, "key", record);
    decoded.latex = requiredString(json, "latex", record);
    decoded.name = requiredString(json, "name", record);
    decoded.factor = requiredNumber(json, "factor", record);
    unit = std::move(decoded);
}

void to_json(nlohmann::ordered_json& json, const Unit& unit) {
    json = nlohmann::ordered_json::object();
    json["key"] = unit.key;
    json["latex"] = unit.latex;
    json["name"] = unit.name;
    json["factor"] = unit.factor;
}
