#include "platform/iosmath/MathColorNames.hpp"

#include <array>
#include <utility>

namespace iosmath {

namespace {

constexpr MathColor kOpaque = 0xFF000000u;

constexpr std::array<std::pair<std::string_view, MathColor>, 21> kNamedColors{{
    {"black", 0x000000}, {"white", 0xFFFFFF}, {"red", 0xFF0000},     {"green", 0x008000},
    {"blue", 0x0000FF},  {"cyan", 0x00FFFF},  {"magenta", 0xFF00FF}, {"yellow", 0xFFFF00},
    {"gray", 0x808080},  {"grey", 0x808080},  {"darkgray", 0x404040}, {"lightgray", 0xBFBFBF},
    {"orange", 0xFF8000}, {"purple", 0xBF0040}, {"brown", 0xBF8040}, {"pink", 0xFFBFBF},
    {"lime", 0xBFFF00},  {"olive", 0x808000}, {"teal", 0x008080},   {"violet", 0x800080},
    {"navy", 0x000080},
}};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<MathColor> parseMathColor(std::string_view text) {
    if (text.size() == 7 && text[0] == '#') {
        MathColor rgb = 0;
        for (char c : text.substr(1)) {
            int digit = hexDigit(c);
            if (digit < 0) return std::nullopt;
            rgb = (rgb << 4) | static_cast<MathColor>(digit);
        }
        return kOpaque | rgb;
    }
    for (const auto& [name, rgb] : kNamedColors) {
        if (name == text) return kOpaque | rgb;
    }
    return std::nullopt;
}

}  // namespace iosmath
