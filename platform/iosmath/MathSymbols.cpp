#include "platform/iosmath/MathSymbols.hpp"

#include <string>
#include <unordered_map>

namespace iosmath {

namespace {

using Type = MathAtomType;

const std::unordered_map<std::string_view, MathSymbol>& commandSymbols() {
    static const std::unordered_map<std::string_view, MathSymbol> table = {
        {"cdot", {U'\u22C5', Type::Bin}},   {"pm", {U'\u00B1', Type::Bin}},
        {"mp", {U'\u2213', Type::Bin}},     {"times", {U'\u00D7', Type::Bin}},
        {"div", {U'\u00F7', Type::Bin}},    {"approx", {U'\u2248', Type::Rel}},
        {"neq", {U'\u2260', Type::Rel}},    {"ne", {U'\u2260', Type::Rel}},
        {"leq", {U'\u2264', Type::Rel}},    {"le", {U'\u2264', Type::Rel}},
        {"geq", {U'\u2265', Type::Rel}},    {"ge", {U'\u2265', Type::Rel}},
        {"infty", {U'\u221E', Type::Ord}},
        {"{", {U'{', Type::Open}},          {"}", {U'}', Type::Close}},
        {"lbrace", {U'{', Type::Open}},     {"rbrace", {U'}', Type::Close}},
        {"lbrack", {U'[', Type::Open}},     {"rbrack", {U']', Type::Close}},
        {"langle", {U'\u27E8', Type::Open}}, {"rangle", {U'\u27E9', Type::Close}},
        {"lfloor", {U'\u230A', Type::Open}}, {"rfloor", {U'\u230B', Type::Close}},
        {"lceil", {U'\u2308', Type::Open}},  {"rceil", {U'\u2309', Type::Close}},
        {"vert", {U'|', Type::Ord}},        {"Vert", {U'\u2016', Type::Ord}},
        {"|", {U'\u2016', Type::Ord}},      {"backslash", {U'\\', Type::Ord}},
        {"%", {U'%', Type::Ord}},           {"#", {U'#', Type::Ord}},
        {"$", {U'$', Type::Ord}},           {"&", {U'&', Type::Ord}},
        {"_", {U'_', Type::Ord}},
        {"alpha", {U'\u03B1', Type::Ord}},  {"beta", {U'\u03B2', Type::Ord}},
        {"gamma", {U'\u03B3', Type::Ord}},  {"delta", {U'\u03B4', Type::Ord}},
        {"epsilon", {U'\u03F5', Type::Ord}}, {"varepsilon", {U'\u03B5', Type::Ord}},
        {"zeta", {U'\u03B6', Type::Ord}},   {"eta", {U'\u03B7', Type::Ord}},
        {"theta", {U'\u03B8', Type::Ord}},  {"vartheta", {U'\u03D1', Type::Ord}},
        {"iota", {U'\u03B9', Type::Ord}},   {"kappa", {U'\u03BA', Type::Ord}},
        {"lambda", {U'\u03BB', Type::Ord}}, {"mu", {U'\u03BC', Type::Ord}},
        {"nu", {U'\u03BD', Type::Ord}},     {"xi", {U'\u03BE', Type::Ord}},
        {"omicron", {U'\u03BF', Type::Ord}}, {"pi", {U'\u03C0', Type::Ord}},
        {"varpi", {U'\u03D6', Type::Ord}},  {"rho", {U'\u03C1', Type::Ord}},
        {"varrho", {U'\u03F1', Type::Ord}}, {"sigma", {U'\u03C3', Type::Ord}},
        {"varsigma", {U'\u03C2', Type::Ord}}, {"tau", {U'\u03C4', Type::Ord}},
        {"upsilon", {U'\u03C5', Type::Ord}}, {"phi", {U'\u03D5', Type::Ord}},
        {"varphi", {U'\u03C6', Type::Ord}}, {"chi", {U'\u03C7', Type::Ord}},
        {"psi", {U'\u03C8', Type::Ord}},    {"omega", {U'\u03C9', Type::Ord}},
        {"Gamma", {U'\u0393', Type::Ord}},  {"Delta", {U'\u0394', Type::Ord}},
        {"Theta", {U'\u0398', Type::Ord}},  {"Lambda", {U'\u039B', Type::Ord}},
        {"Xi", {U'\u039E', Type::Ord}},     {"Pi", {U'\u03A0', Type::Ord}},
        {"Sigma", {U'\u03A3', Type::Ord}},  {"Upsilon", {U'\u03A5', Type::Ord}},
        {"Phi", {U'\u03A6', Type::Ord}},    {"Psi", {U'\u03A8', Type::Ord}},
        {"Omega", {U'\u03A9', Type::Ord}},
    };
    return table;
}

}  // namespace

std::optional<MathSymbol> symbolForCommand(std::string_view name) {
    const auto& table = commandSymbols();
    auto found = table.find(name);
    if (found == table.end()) return std::nullopt;
    return found->second;
}

std::optional<MathSymbol> symbolForCharacter(char32_t c) {
    if ((c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')) {
        return MathSymbol{c, Type::Ord};
    }
    switch (c) {
        case U'+': return MathSymbol{c, Type::Bin};
        case U'-': case U'\u2212': return MathSymbol{U'\u2212', Type::Bin};
        case U'*': case U'\u2217': return MathSymbol{U'\u2217', Type::Bin};
        case U'\u00B7': case U'\u22C5': return MathSymbol{U'\u22C5', Type::Bin};
        case U'\u00B1': case U'\u2213': case U'\u00D7': case U'\u00F7':
            return MathSymbol{c, Type::Bin};
        case U'=': case U'<': case U'>': case U':': case U'\u2248': case U'\u2260':
        case U'\u2264': case U'\u2265':
            return MathSymbol{c, Type::Rel};
        case U'(': case U'[': return MathSymbol{c, Type::Open};
        case U')': case U']': case U'?': case U'!': return MathSymbol{c, Type::Close};
        case U',': case U';': return MathSymbol{c, Type::Punct};
        case U'.': case U'/': case U'|': case U'@': case U'"': case U'\'':
            return MathSymbol{c, Type::Ord};
        default: break;
    }
    // Anything else beyond ASCII is an ordinary symbol if the font can draw it.
    if (c >= 0xA0) return MathSymbol{c, Type::Ord};
    return std::nullopt;
}

char32_t mathItalic(char32_t c) {
    if (c == U'h') return U'\u210E';  // the alphabet block leaves this slot to Planck's constant
    if (c >= U'a' && c <= U'z') return U'\U0001D44E' + (c - U'a');
    if (c >= U'A' && c <= U'Z') return U'\U0001D434' + (c - U'A');
    if (c >= U'\u03B1' && c <= U'\u03C9') return U'\U0001D6FC' + (c - U'\u03B1');
    switch (c) {
        case U'\u03F5': return U'\U0001D716';
        case U'\u03D1': return U'\U0001D717';
        case U'\u03D5': return U'\U0001D719';
        case U'\u03F1': return U'\U0001D71A';
        case U'\u03D6': return U'\U0001D71B';
        default: return c;
    }
}

std::optional<double> spaceForCommand(std::string_view name) {
    if (name == ",") return 3.0;
    if (name == ":" || name == ">") return 4.0;
    if (name == ";") return 5.0;
    if (name == "!") return -3.0;
    if (name == " ") return 6.0;  // the interword space of the text font, a third of an em
    if (name == "quad") return 18.0;
    if (name == "qquad") return 36.0;
    return std::nullopt;
}

std::optional<char32_t> delimiterForCharacter(char32_t c) {
    switch (c) {
        case U'(': case U')': case U'[': case U']': case U'|': case U'/':
            return c;
        case U'<': return U'\u27E8';
        case U'>': return U'\u27E9';
        case U'.': return 0;
        default: return std::nullopt;
    }
}

std::optional<char32_t> delimiterForCommand(std::string_view name) {
    if (name == "backslash") return U'\\';
    if (name == "vert") return U'|';
    auto symbol = symbolForCommand(name);
    if (!symbol) return std::nullopt;
    switch (symbol->type) {
        case Type::Open: case Type::Close: return symbol->codepoint;
        default: break;
    }
    if (symbol->codepoint == U'\u2016') return symbol->codepoint;
    return std::nullopt;
}

}  // namespace iosmath
