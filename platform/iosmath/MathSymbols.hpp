#pragma once

#include "platform/iosmath/MathList.hpp"

#include <optional>
#include <string_view>

namespace iosmath {

struct MathSymbol {
    char32_t codepoint;
    MathAtomType type;
};

// Symbols named by a command, such as \pm or \alpha (Greek letters in their upright form).
std::optional<MathSymbol> symbolForCommand(std::string_view name);
// A character typed directly into the formula, in its upright form.
std::optional<MathSymbol> symbolForCharacter(char32_t character);
// The math italic form of Latin letters and lowercase Greek; other characters stay as they are.
char32_t mathItalic(char32_t upright);
// Explicit spaces such as \quad or \, in mu (18 mu to the em).
std::optional<double> spaceForCommand(std::string_view name);
// What may follow \left or \right: a character or a command name. 0 stands for the empty "."
std::optional<char32_t> delimiterForCharacter(char32_t character);
std::optional<char32_t> delimiterForCommand(std::string_view name);

}  // namespace iosmath
