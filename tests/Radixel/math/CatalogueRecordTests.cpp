#include <gtest/gtest.h>

#include <string>

#include "Radixel/math/Formula.hpp"
#include "Radixel/math/KeTuFormula.hpp"
#include "Radixel/math/KeTuFormulaSymbol.hpp"
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

    EXPECT_EQ(formula.category, "geometry");
    EXPECT_EQ(formula.latex, "A = \\pi r^2");
    EXPECT_EQ(formula.given, std::vector<std::string>{"r"});
    ASSERT_TRUE(formula.conditions.has_value());
    EXPECT_EQ(*formula.conditions, std::vector<std::string>{"r > 0"});
    EXPECT_EQ(formula.description, "Area of a circle");

    nlohmann::ordered_json encoded = formula;
    EXPECT_EQ(keysInOrder(encoded),
              (std::vector<std::string>{"category", "subcategory", "topic", "type", "imageName", "searched", "given",
                                        "latex", "identifier", "conditions", "description"}));
    EXPECT_EQ(nlohmann::json::parse(encoded.dump()), completeFormula());
}

TEST(Formula, MissingOrNullConditionsAreAbsentAndNotWrittenBack) {
    nlohmann::json json = completeFormula();
    json["conditions"] = nullptr;
    EXPECT_FALSE(json.get<Formula>().conditions.has_value());

    json.erase("conditions");
    Formula formula = json.get<Formula>();
    EXPECT_FALSE(formula.conditions.has_value());

    nlohmann::ordered_json encoded = formula;
    EXPECT_FALSE(encoded.contains("conditions"));
    EXPECT_EQ(encoded.size(), 10u);
}

TEST(Formula, AnEmptyGivenListIsNotAMissingOne) {
    nlohmann::json json = completeFormula();
    json["given"] = nlohmann::json::array();
    EXPECT_TRUE(json.get<Formula>().given.empty());

    json.erase("given");
    EXPECT_EQ(decodingError<Formula>(json), "Key not found: \"given\" at Formula.");
}

TEST(Formula, EveryRequiredKeyIsRequiredAndExtraKeysAreIgnored) {
    for (const char* key : {"category", "subcategory", "topic", "type", "imageName", "searched", "given", "latex",
                            "identifier", "description"}) {
        nlohmann::json json = completeFormula();
        json.erase(key);
        EXPECT_EQ(decodingError<Formula>(json), std::string("Key not found: \"") + key + "\" at Formula.");
    }

    nlohmann::json json = completeFormula();
    json["unknown"] = {1, 2, 3};
    EXPECT_EQ(json.get<Formula>().identifier, "circle.area");
}

TEST(Formula, WrongTypesFailTheWholeRecordAndLeaveTheTargetUntouched) {
    nlohmann::json json = completeFormula();
    json["given"] = {"r", 2};
    EXPECT_EQ(decodingError<Formula>(json), "Type mismatch at Formula.given[1]: expected a string, found an integer.");

    json = completeFormula();
    json["conditions"] = "r > 0";
    EXPECT_EQ(decodingError<Formula>(json), "Type mismatch at Formula.conditions: expected an array, found a string.");

    json = completeFormula();
    json["description"] = nullptr;
    EXPECT_EQ(decodingError<Formula>(json), "Type mismatch at Formula.description: expected a string, found null.");

    EXPECT_EQ(decodingError<Formula>(nlohmann::json::array()),
              "Type mismatch at Formula: expected an object, found an array.");

    Formula kept;
    kept.identifier = "kept";
    json = completeFormula();
    json["latex"] = 1;
    EXPECT_THROW(from_json(json, kept), JSONDecodingError);
    EXPECT_EQ(kept.identifier, "kept");
}

TEST(KeTuFormula, StartsWithoutFormulas) { EXPECT_TRUE(KeTuFormula().formulas.empty()); }

TEST(Unit, RoundTripsInFieldOrderAndTakesWholeNumbersAsFactors) {
    Unit unit = nlohmann::json::parse(R"({"factor": 1000, "name": "Kilometer", "latex": "\\mathrm{km}",
                                          "key": "km", "plural": "Kilometers"})")
                    .get<Unit>();
    EXPECT_EQ(unit.key, "km");
    EXPECT_EQ(unit.latex, "\\mathrm{km}");
    EXPECT_EQ(unit.name, "Kilometer");
    EXPECT_EQ(unit.factor, 1000.0);

    nlohmann::ordered_json encoded = unit;
    EXPECT_EQ(keysInOrder(encoded), (std::vector<std::string>{"key", "latex", "name", "factor"}));
    EXPECT_EQ(encoded.dump(), R"({"key":"km","latex":"\\mathrm{km}","name":"Kilometer","factor":1000.0})");
}

TEST(Unit, FactorMustBeAFiniteNumber) {
    nlohmann::json json = {{"key", "m"}, {"latex", "m"}, {"name", "Meter"}};
    EXPECT_EQ(decodingError<Unit>(json), "Key not found: \"factor\" at Unit.");
    json["factor"] = "1";
    EXPECT_EQ(decodingError<Unit>(json), "Type mismatch at Unit.factor: expected a number, found a string.");
    json["factor"] = true;
    EXPECT_EQ(decodingError<Unit>(json), "Type mismatch at Unit.factor: expected a number, found a boolean.");
    json["factor"] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(decodingError<Unit>(json), "Number at Unit.factor is not finite.");
}

TEST(Symbol, RulesAreAbsentWhenMissingOrNullAndPresentWhenEmpty) {
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
}

TEST(Symbol, RequiredKeysAndRuleValuesAreChecked) {
    nlohmann::json json = completeSymbol();
    json.erase("unit");
    EXPECT_EQ(decodingError<Symbol>(json), "Key not found: \"unit\" at Symbol.");

    json = completeSymbol();
    json["rules"] = {{"min", "zero"}};
    EXPECT_EQ(decodingError<Symbol>(json), "Type mismatch at Symbol.rules.min: expected a number, found a string.");

    json["rules"] = {1, 2};
    EXPECT_EQ(decodingError<Symbol>(json), "Type mismatch at Symbol.rules: expected an object, found an array.");
}

TEST(KeTuFormulaSymbol, StartsWithoutSymbols) { EXPECT_TRUE(KeTuFormulaSymbol().symbols.empty()); }
