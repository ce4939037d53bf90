#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "Radixel/math/Formula.hpp"
#include "Radixel/math/RecordFieldChecks.hpp"
#include "Radixel/math/Symbol.hpp"
#include "Radixel/math/Unit.hpp"

using nlohmann::json;

namespace {

const json formula = json::parse(R"({
    "category": "geometry", "subcategory": "circle", "topic": "area", "type": "area",
    "imageName": "circleArea", "searched": "A", "given": ["r"], "latex": "A = \\pi r^2",
    "identifier": "circle.area", "conditions": ["r > 0"], "description": "Area of a circle"
})");

const json symbol = json::parse(R"({
    "category": "geometry", "subcategory": "circle", "topic": "area", "key": "r",
    "latex": "r", "name": "Radius", "unit": "m", "rules": {"min": 0, "max": 1e6}
})");

const json unit = json::parse(R"({"key": "km", "latex": "\\mathrm{km}", "name": "Kilometer", "factor": 1000})");

template <typename Record>
void decode(const json& record) {
    (void)record.get<Record>();
}

// Encodes and parses the text back.
template <typename Record>
json encoded(const Record& record) {
    return json::parse(nlohmann::ordered_json(record).dump());
}

json with(json record, const char* key, json value) {
    record[key] = std::move(value);
    return record;
}

}  // namespace

TEST(CatalogueRecords, DecodeEveryFieldRoundTripAndIgnoreExtraKeys) {
    Formula decoded = with(formula, "unknown", {1, 2, 3}).get<Formula>();
    EXPECT_EQ(decoded.latex, "A = \\pi r^2");
    EXPECT_EQ(decoded.conditions, std::optional<std::vector<std::string>>({"r > 0"}));
    EXPECT_EQ(encoded(decoded), formula);
    EXPECT_TRUE(with(formula, "given", json::array()).get<Formula>().given.empty());
    EXPECT_EQ(symbol.get<Symbol>().rules->at("max"), 1e6);
    EXPECT_EQ(encoded(symbol.get<Symbol>()), symbol);
    EXPECT_EQ(unit.get<Unit>().factor, 1000.0);
    EXPECT_EQ(encoded(with(unit, "plural", "Kilometers").get<Unit>()), unit);
}

TEST(CatalogueRecords, EveryFieldButConditionsAndRulesIsRequiredAndTyped) {
    expectEveryFieldChecked(formula, {"conditions"}, decode<Formula>);
    expectEveryFieldChecked(symbol, {"rules"}, decode<Symbol>);
    expectEveryFieldChecked(unit, {}, decode<Unit>);
    EXPECT_THROW(decode<Formula>(with(formula, "given", {"r", 2})), JSONDecodingError);
    EXPECT_THROW(decode<Symbol>(with(symbol, "rules", {{"min", "zero"}})), JSONDecodingError);
    EXPECT_THROW(decode<Unit>(with(unit, "factor", std::numeric_limits<double>::infinity())), JSONDecodingError);

    // A failed decoding leaves the target as it was.
    Formula kept;
    kept.identifier = "kept";
    EXPECT_THROW(from_json(with(formula, "latex", 1), kept), JSONDecodingError);
    EXPECT_EQ(kept.identifier, "kept");
}

// Missing or null is absent and not written back; empty is present.
TEST(CatalogueRecords, OptionalFieldsAreAbsentWhenMissingOrNullAndPresentWhenEmpty) {
    json noConditions = formula, noRules = symbol;
    noConditions.erase("conditions");
    noRules.erase("rules");
    for (bool null : {false, true}) {
        if (null) noConditions["conditions"] = noRules["rules"] = nullptr;
        EXPECT_FALSE(noConditions.get<Formula>().conditions.has_value());
        EXPECT_FALSE(encoded(noConditions.get<Formula>()).contains("conditions"));
        EXPECT_FALSE(noRules.get<Symbol>().rules.has_value());
        EXPECT_FALSE(encoded(noRules.get<Symbol>()).contains("rules"));
    }
    EXPECT_EQ(encoded(with(symbol, "rules", json::object()).get<Symbol>())["rules"], json::object());
}
