#include "platform/iosmath/MathTypesetter.hpp"

#include "platform/iosmath/MathFont.hpp"
#include "platform/iosmath/MathLayouter.hpp"
#include "platform/iosmath/MathListParser.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace iosmath {

namespace {

// Baseline to baseline, as TeX's \baselineskip of 12pt for 10pt type.
constexpr double kLineSpacingEm = 1.2;

// Decodes UTF-8 without ever failing: what cannot be decoded or drawn becomes "?", and control
// characters become blanks.
std::u32string drawableText(std::string_view text, const MathFont& font) {
    std::u32string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        char32_t value = U'?';
        size_t length = 1;
        if (byte < 0x80) {
            value = byte < 0x20 || byte == 0x7F ? U' ' : byte;
        } else if (byte >= 0xC2 && byte < 0xF5) {
            size_t need = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            char32_t decoded = byte & (0x7F >> need);
            size_t k = 1;
            for (; k < need && i + k < text.size(); ++k) {
                auto next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80) break;
                decoded = (decoded << 6) | (next & 0x3F);
            }
            if (k == need) {
                length = need;
                if (font.glyphForCodepoint(decoded) != 0) value = decoded;
            }
        }
        result.push_back(value);
        i += length;
    }
    return result;
}

// Greedy line breaking, linear in the text: each line takes as many characters as fit, ending
// at its last blank when it has one; blanks at either end of a line are dropped.
template <typename Advance>
std::vector<std::u32string_view> wrappedLines(std::u32string_view text, double maxWidth, Advance advance) {
    std::vector<std::u32string_view> lines;
    auto trimmed = [](std::u32string_view line) {
        while (!line.empty() && line.back() == U' ') line.remove_suffix(1);
        return line;
    };
    size_t pos = 0;
    while (true) {
        if (!lines.empty()) {
            while (pos < text.size() && text[pos] == U' ') ++pos;
        }
        const size_t start = pos;
        size_t lastBlank = std::u32string_view::npos;
        double width = 0;
        for (; pos < text.size(); ++pos) {
            if (text[pos] == U' ') {
                lastBlank = pos;
            } else if (pos > start && width + advance(text[pos]) > maxWidth) {
                break;
            }
            width += advance(text[pos]);
        }
        if (pos == text.size()) {
            lines.push_back(trimmed(text.substr(start)));
            return lines;
        }
        if (lastBlank != std::u32string_view::npos && lastBlank > start) pos = lastBlank;
        lines.push_back(trimmed(text.substr(start, pos - start)));
    }
}

}  // namespace

MTMathListDisplay MathTypesetter::layoutPlainText(std::string_view text, double fontSize, double maxWidth) {
    MTMathListDisplay display;
    const MathFont* font = MathFont::shared();
    if (font == nullptr || !std::isfinite(fontSize) || fontSize <= 0 || fontSize > 10000) return display;
    const std::u32string drawable = drawableText(text, *font);
    try {
        MathLayouter layouter(*font, fontSize, display.items);
        auto advance = [&](char32_t character) { return layouter.textAdvance(character, MathStyle{}); };
        double baseline = 0;
        for (std::u32string_view line : wrappedLines(drawable, maxWidth, advance)) {
            MathAtom atom;
            atom.kind = MathAtomKind::Text;
            atom.text = line;
            MathBox box = layouter.text(atom, MathStyle{}, kInheritColor);
            for (size_t i = box.begin; i < box.end; ++i) display.items[i].y += baseline;
            display.width = std::max(display.width, box.width);
            display.ascent = std::max(display.ascent, box.ascent + baseline);
            display.descent = std::max(display.descent, box.descent - baseline);
            baseline -= kLineSpacingEm * fontSize;
        }
    } catch (const MathLayoutError&) {
        display = MTMathListDisplay{};  // "?" itself missing: nothing sensible to show
    }
    return display;
}

MathLayoutResult MathTypesetter::layout(std::string_view latex, double fontSize, MathStyleLevel style) {
    MathParseResult parsed = MathListParser::parse(latex);
    if (!parsed.list) return {std::nullopt, parsed.error};
    return layout(*parsed.list, fontSize, style);
}

MathLayoutResult MathTypesetter::layout(const MathList& list, double fontSize, MathStyleLevel style) {
    const MathFont* font = MathFont::shared();
    if (font == nullptr) return {std::nullopt, MathFont::loadError()};
    if (!std::isfinite(fontSize) || fontSize <= 0 || fontSize > 10000) {
        return {std::nullopt, "Invalid font size"};
    }
    MathLayoutResult result;
    result.display.emplace();
    MTMathListDisplay& display = *result.display;
    display.items.reserve(64);
    try {
        MathLayouter layouter(*font, fontSize, display.items);
        MathBox box = layouter.list(list, MathStyle{style, false}, kInheritColor);
        display.width = box.width;
        display.ascent = box.ascent;
        display.descent = box.descent;
    } catch (const MathLayoutError& error) {
        return {std::nullopt, error.what()};
    }
    return result;
}

}  // namespace iosmath
