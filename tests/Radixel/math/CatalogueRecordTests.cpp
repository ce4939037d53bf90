#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "Radixel/math/Formula.hpp"
#include "Radixel/math/Symbol.hpp"
#include "Radixel/math/Unit.hpp"
#include "platform/foundation/JSONDecodingError.hpp"

namespace {

nlohmann::json completeFormula() {
    return nlohmann::json::parse(R"({
        "category": "geometry", "subcategory": "circle", "topic": "area", "type": "area",
        "imageName": "circleArea", "searched": "A", "given": ["r"], "latex": "A = \\pi r^2",
        "identifier": "circle.area", "conditions": ["r > 0"], "description": "Area of a circle"
    })");
}

nlohmann::json completeSymbol() {
    return nlohmann::json::parse(R"({
        "category": "geometry", "subcategory": "circle", "topic": "area", "key": "r",
        "latex": "r", "name": "Radius", "unit": "m", "rules": {"min": 0, "max": 1e6}
    })");
}

// The message of the JSONDecodingError the decoding throws, or "" when it does not throw.
template <typename Record>
std::string decodingError(const nlohmann::json& json) {
    try {
        (void)json.get<Record>();
    } catch (const JSONDecodingError& error) {
        return error.what();
    }
    return "";
}

std::vector<std::string> keysInOrder(const nlohmann::ordered_json& json) {
    std::vector<std::string> keys;
    for (const auto& item : json.items()) keys.push_back(item.key());
    return keys;
}

}  // namespace

TEST(Formula, DecodesEveryFieldAndEncodesThemInFieldOrder) {
    Formula formula = completeFormula().get<Formula>();
    EXPECT_EQ(formula.latex, "A = \\pi r^2");
    EXPECT_EQ(formula.conditions, std::optional<std::vector<std::string>>({"r > 0"}));
    nlohmann::ordered_json encoded = formula;
    EXPECT_EQ(keysInOrder(encoded),
              (std::vector<std::string>{"category", "subcategory", "topic", "type", "imageName", "searched", "given",
                                        "latex", "identifier", "conditions", "description"}));
    EXPECT_EQ(nlohmann::json::parse(encoded.dump()), completeFormula());
}

TEST(Formula, EveryKeyButConditionsIsRequiredAndExtraKeysAreIgnored) {
    for (const char* key : {"category", "subcategory", "topic", "type", "imageName", "searched", "given", "latex",
                            "identifier", "description"}) {
        nlohmann::json json = completeFormula();
        json.erase(key);
        EXPECT_EQ(decodingError<Formula>(json), std::string("Key not found: \"") + key + "\" at Formula.");
    }
    nlohmann::json json = completeFormula();
    json["unknown"] = {1, 2, 3};
    json["given"] = nlohmann::json::array();  // empty, which is not missing
    EXPECT_TRUE(json.get<Formula>().given.empty());

    // Missing or null conditions are absent, and not written back.
    json["conditions"] = nullptr;
    EXPECT_FALSE(json.get<Formula>().conditions.has_value());
    json.erase("conditions");
    nlohmann::ordered_json encoded = json.get<Formula>();
    EXPECT_FALSE(encoded.contains("conditions"));
    EXPECT_EQ(encoded.size(), 10u);
}

TEST(Formula, WrongTypesFailTheWholeRecordAndLeaveTheTargetUntouched) {
    for (const auto& [key, value, message] : std::vector<std::tuple<const char*, nlohmann::json, const char*>>{
             {"given", {"r", 2}, "Formula.given[1]: expected a string, found an integer."},
             {"conditions", "r > 0", "Formula.conditions: expected an array, found a string."},
             {"description", nullptr, "Formula.description: expected a string, found null."}}) {
        nlohmann::json json = completeFormula();
        json[key] = value;
        EXPECT_EQ(decodingError<Formula>(json), std::string("Type mismatch at ") + message);
    }
    EXPECT_EQ(decodingError<Formula>(nlohmann::json::array()),
              "Type mismatch at Formula: expected an object, found an array.");

    Formula kept;
    kept.identifier = "kept";
    nlohmann::json json = completeFormula();
    json["latex"] = 1;
    EXPECT_THROW(from_json(json, kept), JSONDecodingError);
    EXPECT_EQ(kept.identifier, "kept");
}

TEST(Unit, RoundTripsInFieldOrderAndTakesOnlyFiniteNumbersAsFactors) {
    Unit unit = nlohmann::json::parse(R"({"factor": 1000, "name": "Kilometer", "latex": "\\mathrm{km}",
                                          "key": "km", "plural": "Kilometers"})")
                    .get<Unit>();
    EXPECT_EQ(unit.factor, 1000.0);
    nlohmann::ordered_json encoded = unit;
    EXPECT_EQ(encoded.dump(), R"({"key":"km","latex":"\\mathrm{km}","name":"Kilometer","factor":1000.0})");

    // The factor must be a finite number.
    nlohmann::json json = {{"key", "m"}, {"latex", "m"}, {"name", "Meter"}};
    EXPECT_EQ(decodingError<Unit>(json), "Key not found: \"factor\" at Unit.");
    json["factor"] = "1";
    EXPECT_EQ(decodingError<Unit>(json), "Type mismatch at Unit.factor: expected a number, found a string.");
    json["factor"] = true;
    EXPECT_EQ(decodingError<Unit>(json), "Type mismatch at Unit.factor: expected a number, found a boolean.");
    json["factor"] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(decodingError<Unit>(json), "Number at Unit.factor is not finite.");
}

TEST(Symbol, RulesAreAbsentWhenMissingOrNullPresentWhenEmptyAndChecked) {
    nlohmann::json json = completeSymbol();
    Symbol symbol = json.get<Symbol>();
    ASSERT_TRUE(symbol.rules.has_value());
    EXPECT_EQ(symbol.rules->at("max"), 1e6);

    json["rules"] = nlohmann::json::object();
    symbol = json.get<Symbol>();
    ASSERT_TRUE(symbol.rules.has_value());
    EXPECT_TRUE(symbol.rules->empty());
    EXPECT_TRUE(nlohmann::ordered_json(symbol).contains("rules"));

    json["rules"] = nullptr;
    EXPECT_FALSE(json.get<Symbol>().rules.has_value());
    json.erase("rules");
    symbol = json.get<Symbol>();
    EXPECT_FALSE(symbol.rules.has_value());

    nlohmann::ordered_json encoded = symbol;
    EXPECT_EQ(keysInOrder(encoded),
              (std::vector<std::string>{"category", "subcategory", "topic", "key", "latex", "name", "unit"}));

    json = completeSymbol();
    json["rules"] = {{"min", "zero"}};
    EXPECT_EQ(decodingError<Symbol>(json), "Type mismatch at Symbol.rules.min: expected a number, found a string.");
    json["rules"] = {1, 2};
    EXPECT_EQ(decodingError<Symbol>(json), "Type mismatch at Symbol.rules: expected an object, found an array.");
    json.erase("unit");
    EXPECT_EQ(decodingError<Symbol>(json), "Key not found: \"unit\" at Symbol.");
}
