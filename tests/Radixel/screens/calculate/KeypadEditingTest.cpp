#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "Radixel/screens/calculate/KeypadEditing.hpp"

namespace {

constexpr int64_t huge = std::numeric_limits<int64_t>::max(), tiny = std::numeric_limits<int64_t>::min();
const std::string a = "\xC3\xA4", euro = "\xE2\x82\xAC";  // two and three bytes, one character each
using Edit = std::pair<std::string, int64_t>;  // text, cursor
std::optional<Edit> edit(const std::optional<KeypadEditResult>& result) {
    return result ? std::optional<Edit>{{result->text, result->cursor}} : std::nullopt;
}

}  // namespace

// A key goes in at the cursor or replaces the selection; Delete (no key) removes the selection or
// the character before the cursor, and changes nothing at the start. Positions outside the text are
// clamped, a reversed selection is turned round, and every position counts characters, so text
// beyond ASCII is never cut inside one.
TEST(KeypadEditingTest, KeysAndDeleteEditAtTheCursorOrTheSelection) {
    using Case = std::tuple<std::string, int64_t, int64_t, std::optional<std::string>, std::optional<Edit>>;
    for (auto [text, start, end, key, after] : std::vector<Case>{
             {"123", 2, 2, "5", Edit{"1253", 3}}, {"123", 1, 2, "7", Edit{"173", 2}}, {"123", 0, 3, "7", Edit{"7", 1}},
             {"", 0, 0, "4", Edit{"4", 1}}, {"23", 1, 1, "/-", Edit{"2/-3", 3}}, {"23", 0, 2, "", Edit{"", 0}},
             {"12", 9, 9, "3", Edit{"123", 3}}, {"12", tiny, huge, "3", Edit{"3", 1}},
             {"1234", 3, 1, "0", Edit{"104", 2}},
             {a + "1" + euro, 1, 1, "5", Edit{a + "51" + euro, 2}}, {a + "1" + euro, 2, 3, "5", Edit{a + "15", 3}},
             {"123", 0, 0, {}, {}}, {"", 0, 0, {}, {}}, {"12", -4, -1, {}, {}}, {"123", 3, 3, {}, Edit{"12", 2}},
             {"1234", 1, 3, {}, Edit{"14", 1}}, {"1234", 0, 2, {}, Edit{"34", 0}}, {"12", huge, huge, {}, Edit{"1", 1}},
             {"1234", 3, 1, {}, Edit{"14", 1}}, {a + "1" + euro, 3, 3, {}, Edit{a + "1", 2}},
             {a + "1" + euro, 1, 1, {}, Edit{"1" + euro, 0}}, {a + "1" + euro, 0, 2, {}, Edit{euro, 0}}})
        EXPECT_EQ(key ? edit(insertingKeypadValue(text, start, end, *key)) : edit(deletingAtCursor(text, start, end)),
                  after)
            << text << " " << start << "-" << end << " " << key.value_or("Delete");
}
