#include <gtest/gtest.h>

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
json recode(const json& record) {
    return json::parse(nlohmann::ordered_json(record.get<Record>()).dump());
}

}  // namespace

TEST(CatalogueRecords, EveryFieldIsTypedAndEncodedBackAndOnlyConditionsAndRulesMayBeMissing) {
    expectEveryFieldChecked(formula, {"conditions"}, recode<Formula>);
    expectEveryFieldChecked(symbol, {"rules"}, recode<Symbol>);
    expectEveryFieldChecked(unit, {}, recode<Unit>);
    EXPECT_EQ(formula.get<Formula>().latex, "A = \\pi r^2");
    EXPECT_EQ(unit.get<Unit>().factor, 1000.0);

    EXPECT_EQ(recode<Formula>(with(formula, "unknown", {1, 2, 3})), formula);
    EXPECT_EQ(recode<Unit>(with(unit, "plural", "Kilometers")), unit);
    EXPECT_TRUE(with(formula, "given", json::array()).get<Formula>().given.empty());
    EXPECT_EQ(recode<Symbol>(with(symbol, "rules", json::object()))["rules"], json::object());

    EXPECT_THROW(recode<Formula>(with(formula, "given", {"r", 2})), JSONDecodingError);
    EXPECT_THROW(recode<Symbol>(with(symbol, "rules", {{"min", "zero"}})), JSONDecodingError);
    EXPECT_THROW(recode<Unit>(with(unit, "factor", std::numeric_limits<double>::infinity())), JSONDecodingError);
}
