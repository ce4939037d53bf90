#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the calculate screen's keypad does to the focused field, as text in and text out: a
// key replaces the selection (or goes in at the cursor) with its title, the delete key removes
// the selection or else the character before the cursor. Positions are counted in characters
// (UTF-8 code points), as the text field counts them, so a field holding text other than the
// keys' ASCII is never cut inside a character.
//
// Positions outside the text are clamped into it and a selection given end first is turned
// round, as the field itself does. A key also goes into an empty field, and the cursor lands
// after the whole title, not one character on, should a title be longer than one character.
// Deleting with the cursor at the start, or in an empty field, changes nothing.

struct KeypadEditResult {
    std::string text;
    int64_t cursor = 0;  // collapsed, in characters from the start
};

KeypadEditResult insertingKeypadValue(const std::string& text, int64_t selectionStart, int64_t selectionEnd,
                                      const std::string& keyTitle);

// Absent when the key changes nothing, so the field keeps its text and cursor as they are.
std::optional<KeypadEditResult> deletingAtCursor(const std::string& text, int64_t selectionStart,
                                                 int64_t selectionEnd);
