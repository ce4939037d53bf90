#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "Radixel/math/FormulaError.hpp"
#include "Radixel/math/KeTuFormulaUnit.hpp"
#include "platform/foundation/JSONDecodingError.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "support/ScratchFolder.hpp"

namespace {

class UnitResources : public ::testing::Test {
protected:
    void writeUnits(const std::string& content, const std::string& name = "unitsOfLength") {
        std::ofstream(scratch.path() / (name + ".json"), std::ios::binary) << content;
    }

    std::string construct(std::optional<KeTuFormulaUnit>& formulaUnit) {
        ::testing::internal::CaptureStdout();
        formulaUnit.emplace(bundle);
        return ::testing::internal::GetCapturedStdout();
    }

    ScratchFolder scratch;
    NSBundle bundle{scratch.path()};
};

}  // namespace

TEST_F(UnitResources, AMissingOrBrokenResourceLeavesNoUnitsAndPrintsOneLine) {
    const std::pair<const char*, std::string> brokenFiles[] = {
        {"missing", ""},
        {"missing factor", R"([{"key": "cm", "latex": "cm", "name": "Centimeter", "factor": 0.01},
                               {"key": "in", "latex": "in", "name": "Inch"}])"},
        {"not an array", R"({"key": "cm", "latex": "cm", "name": "Centimeter", "factor": 0.01})"},
        {"not JSON", "key = cm\nfactor = 0.01\n"},
        {"invalid UTF-8", "[{\"key\": \"\xff\xfe\", \"latex\": \"\", \"name\": \"\", \"factor\": 1}]"},
        {"deeply nested", std::string(100000, '[') + std::string(100000, ']')},
    };
    for (const auto& [what, content] : brokenFiles) {
        if (std::string(what) != "missing") writeUnits(content);
        std::optional<KeTuFormulaUnit> formulaUnit;
        std::string printed = construct(formulaUnit);
        EXPECT_TRUE(formulaUnit->units.empty()) << what;
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << what << ": " << printed;
        EXPECT_NE(printed.find("unitsOfLength.json"), std::string::npos) << what << ": " << printed;
    }
}

TEST_F(UnitResources, LoadsAGoodFileInOrderAndAFailedReloadKeepsItsUnits) {
    writeUnits(R"([{"key": "cm", "latex": "cm", "name": "Centimeter", "factor": 0.01},
                   {"key": "in", "latex": "in", "name": "Inch", "factor": 0.0254}])");
    std::optional<KeTuFormulaUnit> formulaUnit;
    EXPECT_EQ(construct(formulaUnit), "");
    ASSERT_EQ(formulaUnit->units.size(), 2u);
    EXPECT_EQ(formulaUnit->units[1].key, "in");
    EXPECT_EQ(formulaUnit->units[1].factor, 0.0254);
    EXPECT_THROW(formulaUnit->loadUnits("absent"), FormulaError);
    writeUnits(R"([{"key": "mm", "latex": "mm", "name": "Millimeter"}])", "broken");
    EXPECT_THROW(formulaUnit->loadUnits("broken"), JSONDecodingError);
    EXPECT_EQ(formulaUnit->units.size(), 2u);
}

// The list that ships: metres = value × factor.
TEST(UnitsOfLength, ShippedFactorsConvertToMetres) {
    KeTuFormulaUnit formulaUnit;
    for (const auto& [key, metres] : {std::pair{"m", 1.0}, {"km", 1000.0}, {"cm", 0.01}, {"in", 0.0254}, {"mi", 1609.344}}) {
        auto unit = std::find_if(formulaUnit.units.begin(), formulaUnit.units.end(),
                                 [&](const Unit& candidate) { return candidate.key == key; });
        ASSERT_NE(unit, formulaUnit.units.end()) << key;
        EXPECT_DOUBLE_EQ(unit->factor, metres) << key;
    }
}
