#pragma once

#include "platform/iosmath/MTMathListDisplay.hpp"
#include "platform/iosmath/MathFont.hpp"
#include "platform/iosmath/MathList.hpp"
#include "platform/iosmath/MathStyle.hpp"

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace iosmath {

// A formula the font cannot draw.
struct MathLayoutError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A laid-out piece: its box, and the items it owns, which are always the contiguous range
// [begin, end) of the display's items.
struct MathBox {
    double width = 0;
    double ascent = 0;
    double descent = 0;
    size_t begin = 0;
    size_t end = 0;
};

// Applies TeX's rules for typesetting math (The TeXbook, appendix G) to math lists, with every
// distance taken from the font's MATH table, appending glyphs and rules to a display list.
class MathLayouter {
public:
    MathLayouter(const MathFont& font, double baseSize, std::vector<MTDisplayItem>& items);
    // A math list in a style; afterOrd lays it out as if an ordinary atom came just before.
    MathBox list(const MathList& list, MathStyle style, MathColor color, bool afterOrd = false);
    // Upright text, blanks kept.
    MathBox text(const MathAtom& atom, MathStyle style, MathColor color);
    // How far one character of upright text advances.
    double textAdvance(char32_t character, MathStyle style) const;

private:
    // A binary operator with nothing to combine on its left, or with a relation, closing or
    // punctuation after it, is an ordinary symbol: that is what makes a leading minus unary.
    static MathAtomType effectiveType(const std::vector<MathAtom>& atoms, size_t i, const MathAtomType* previous);
    double size(MathStyle style) const;
    double scale(MathStyle style) const { return size(style) / font_.unitsPerEm(); }
    double constant(hb_ot_math_constant_t which, MathStyle style) const;
    void shift(MathBox& box, double dx, double dy);
    uint32_t glyphFor(char32_t codepoint) const;
    MathBox glyph(uint32_t glyph, MathStyle style, MathColor color, double* italic = nullptr);
    MathBox atomWithScripts(const MathAtom& atom, MathStyle style, MathColor color);
    MathBox atomNucleus(const MathAtom& atom, MathStyle style, MathColor color, double& italic);
    // TeX's rule 18, with the MATH table's shifts, gaps and drops.
    MathBox attachScripts(MathBox nucleus, const MathAtom& atom, MathStyle style, MathColor color, bool isCharacter, double italic);
    // TeX's rule 15: numerator and denominator kept clear of the bar, the bar on the math axis.
    MathBox fraction(const MathAtom& atom, MathStyle style, MathColor color);
    // TeX's rule 11: the sign grows to the radicand, its bar a fixed gap above the radicand.
    MathBox radical(const MathAtom& atom, MathStyle style, MathColor color);
    // TeX's rule 19: delimiters centred on the axis that may fall a little short of the contents.
    MathBox leftRight(const MathAtom& atom, MathStyle style, MathColor color);
    // Rows of right- and left-aligned column pairs, as in plain TeX's \eqalign: the left cell of
    // a pair ends where the right one begins, so "x &= 1" lines up on the relation.
    MathBox table(const MathTable& table, MathStyle style, MathColor color);

    const MathFont& font_;
    double baseSize_;
    std::vector<MTDisplayItem>& items_;
    uint32_t nextShape_ = 1;
};

}  // namespace iosmath
