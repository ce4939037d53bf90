#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "Radixel/screens/calculate/KeypadEditing.hpp"

namespace {

void expectEdit(const KeypadEditResult& edit, const std::string& text, int64_t cursor) {
    EXPECT_EQ(edit.text, text);
    EXPECT_EQ(edit.cursor, cursor) << "in " << edit.text;
}

constexpr int64_t huge = std::numeric_limits<int64_t>::max(), tiny = std::numeric_limits<int64_t>::min();

}  // namespace

// Positions outside the text are clamped and a reversed selection is turned round.
TEST(KeypadEditingTest, AKeyGoesInAtTheCursorOrReplacesTheSelection) {
    expectEdit(insertingKeypadValue("123", 2, 2, "5"), "1253", 3);
    expectEdit(insertingKeypadValue("123", 1, 2, "7"), "173", 2);
    expectEdit(insertingKeypadValue("123", 0, 3, "7"), "7", 1);
    expectEdit(insertingKeypadValue("", 0, 0, "4"), "4", 1);
    expectEdit(insertingKeypadValue("23", 1, 1, "/-"), "2/-3", 3);
    expectEdit(insertingKeypadValue("23", 0, 2, ""), "", 0);
    expectEdit(insertingKeypadValue("12", 9, 9, "3"), "123", 3);
    expectEdit(insertingKeypadValue("12", tiny, huge, "3"), "3", 1);
    expectEdit(insertingKeypadValue("1234", 3, 1, "0"), "104", 2);
}

TEST(KeypadEditingTest, DeleteRemovesTheSelectionOrTheCharacterBeforeTheCursor) {
    EXPECT_FALSE(deletingAtCursor("123", 0, 0));
    EXPECT_FALSE(deletingAtCursor("", 0, 0));
    EXPECT_FALSE(deletingAtCursor("12", -4, -1));
    expectEdit(*deletingAtCursor("123", 3, 3), "12", 2);
    expectEdit(*deletingAtCursor("1234", 1, 3), "14", 1);
    expectEdit(*deletingAtCursor("1234", 0, 2), "34", 0);
    expectEdit(*deletingAtCursor("12", huge, huge), "1", 1);
    expectEdit(*deletingAtCursor("1234", 3, 1), "14", 1);
}

// "ä" and "€" take two and three bytes; every position counts them as one character.
TEST(KeypadEditingTest, TextBeyondAsciiIsNeverCutInsideACharacter) {
    const std::string text = "\xC3\xA4" "1\xE2\x82\xAC";  // ä1€
    expectEdit(insertingKeypadValue(text, 1, 1, "5"), "\xC3\xA4" "51\xE2\x82\xAC", 2);
    expectEdit(insertingKeypadValue(text, 2, 3, "5"), "\xC3\xA4" "15", 3);
    expectEdit(*deletingAtCursor(text, 3, 3), "\xC3\xA4" "1", 2);
    expectEdit(*deletingAtCursor(text, 1, 1), "1\xE2\x82\xAC", 0);
    expectEdit(*deletingAtCursor(text, 0, 2), "\xE2\x82\xAC", 0);
}
