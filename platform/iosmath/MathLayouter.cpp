#include "platform/iosmath/MathLayouter.hpp"

#include "platform/iosmath/MathSpacing.hpp"
#include "platform/iosmath/StretchyGlyph.hpp"

#include <algorithm>
#include <cstdio>

namespace iosmath {

namespace {

// TeX puts \nulldelimiterspace (1.2pt at 10pt, 0.12 em) on either side of a fraction and in
// place of an empty delimiter; the MATH table has no such constant.
constexpr double kNullDelimiterEm = 0.12;
// Rows of an alignment: TeX's \baselineskip, \lineskip and the \jot added by eqalign, in em.
constexpr double kBaselineSkipEm = 1.2;
constexpr double kLineSkipEm = 0.1;
constexpr double kJotEm = 0.3;
// Space between one right/left column pair of an alignment and the next.
constexpr double kColumnPairGapEm = 2.0;
// Plain TeX's \delimiterfactor and \delimitershortfall (5pt against a 10pt text size): how
// far \left and \right may fall short of what they enclose.
constexpr double kDelimiterFactor = 901;
constexpr double kDelimiterShortfallEm = 0.5;

}  // namespace

MathLayouter::MathLayouter(const MathFont& font, double baseSize, std::vector<MTDisplayItem>& items)
    : font_(font), baseSize_(baseSize), items_(items) {}

MathBox MathLayouter::list(const MathList& list, MathStyle style, MathColor color, bool afterOrd) {
    MathBox box{0, 0, 0, items_.size(), items_.size()};
    const double mu = size(style) / 18.0;
    bool hasPrevious = afterOrd;
    MathAtomType previous = MathAtomType::Ord;
    double x = 0;
    const auto& atoms = list.atoms;
    for (size_t i = 0; i < atoms.size(); ++i) {
        const MathAtom& atom = atoms[i];
        if (atom.kind == MathAtomKind::Space) {
            x += atom.spaceInMu * mu;
            continue;
        }
        MathAtomType type = effectiveType(atoms, i, hasPrevious ? &previous : nullptr);
        if (hasPrevious) x += interAtomSpaceInMu(previous, type, style.isScript()) * mu;
        MathBox piece = atomWithScripts(atom, style, atom.color != kInheritColor ? atom.color : color);
        shift(piece, x, 0);
        x += piece.width;
        box.ascent = std::max(box.ascent, piece.ascent);
        box.descent = std::max(box.descent, piece.descent);
        previous = type;
        hasPrevious = true;
    }
    box.width = x;
    box.end = items_.size();
    return box;
}

MathBox MathLayouter::text(const MathAtom& atom, MathStyle style, MathColor color) {
    MathBox box{0, 0, 0, items_.size(), 0};
    double x = 0;
    for (char32_t character : atom.text) {
        uint32_t id = font_.glyphForCodepoint(character);
        if (character == U' ' && id == 0) {
            x += textAdvance(character, style);
            continue;
        }
        MathBox piece = glyph(id != 0 ? id : glyphFor(character), style, color);
        shift(piece, x, 0);
        x += piece.width;
        box.ascent = std::max(box.ascent, piece.ascent);
        box.descent = std::max(box.descent, piece.descent);
    }
    box.width = x;
    box.end = items_.size();
    return box;
}

double MathLayouter::textAdvance(char32_t character, MathStyle style) const {
    uint32_t id = font_.glyphForCodepoint(character);
    // A font without a blank still gets TeX's interword space of a third of an em.
    if (id == 0 && character == U' ') return size(style) / 3;
    return font_.metrics(id != 0 ? id : glyphFor(character)).advance * scale(style);
}

// A binary operator with nothing to combine on its left, or with a relation, closing or
// punctuation after it, is an ordinary symbol: that is what makes a leading minus unary.
MathAtomType MathLayouter::effectiveType(const std::vector<MathAtom>& atoms, size_t i, const MathAtomType* previous) {
    MathAtomType type = atoms[i].type;
    if (type != MathAtomType::Bin) return type;
    if (previous == nullptr) return MathAtomType::Ord;
    switch (*previous) {
        case MathAtomType::Bin: case MathAtomType::Op: case MathAtomType::Rel:
        case MathAtomType::Open: case MathAtomType::Punct:
            return MathAtomType::Ord;
        default: break;
    }
    size_t next = i + 1;
    while (next < atoms.size() && atoms[next].kind == MathAtomKind::Space) ++next;
    if (next == atoms.size()) return MathAtomType::Ord;
    switch (atoms[next].type) {
        case MathAtomType::Rel: case MathAtomType::Close: case MathAtomType::Punct:
            return MathAtomType::Ord;
        default: return type;
    }
}

double MathLayouter::size(MathStyle style) const {
    switch (style.level) {
        case MathStyleLevel::Script:
            return baseSize_ * font_.constant(HB_OT_MATH_CONSTANT_SCRIPT_PERCENT_SCALE_DOWN) / 100.0;
        case MathStyleLevel::ScriptScript:
            return baseSize_ * font_.constant(HB_OT_MATH_CONSTANT_SCRIPT_SCRIPT_PERCENT_SCALE_DOWN) / 100.0;
        default: return baseSize_;
    }
}

double MathLayouter::constant(hb_ot_math_constant_t which, MathStyle style) const {
    return font_.constant(which) * scale(style);
}

void MathLayouter::shift(MathBox& box, double dx, double dy) {
    for (size_t i = box.begin; i < box.end; ++i) {
        items_[i].x += dx;
        items_[i].y += dy;
    }
}

uint32_t MathLayouter::glyphFor(char32_t codepoint) const {
    uint32_t glyph = font_.glyphForCodepoint(codepoint);
    if (glyph == 0) {
        char message[64];
        std::snprintf(message, sizeof message, "The math font has no symbol U+%04X",
                      static_cast<unsigned>(codepoint));
        throw MathLayoutError(message);
    }
    return glyph;
}

MathBox MathLayouter::glyph(uint32_t glyph, MathStyle style, MathColor color, double* italic) {
    const GlyphMetrics& m = font_.metrics(glyph);
    const double k = scale(style);
    MTDisplayItem item;
    item.glyph = glyph;
    item.color = color;
    item.size = size(style);
    items_.push_back(item);
    if (italic != nullptr) *italic = m.italicCorrection * k;
    return {m.advance * k, m.ascent * k, m.descent * k, items_.size() - 1, items_.size()};
}

MathBox MathLayouter::atomWithScripts(const MathAtom& atom, MathStyle style, MathColor color) {
    double italic = 0;
    MathBox nucleus = atomNucleus(atom, style, color, italic);
    bool isCharacter = atom.kind == MathAtomKind::Character;
    if (!atom.superscript && !atom.subscript) {
        nucleus.width += italic;
        return nucleus;
    }
    return attachScripts(nucleus, atom, style, color, isCharacter, italic);
}

MathBox MathLayouter::atomNucleus(const MathAtom& atom, MathStyle style, MathColor color, double& italic) {
    switch (atom.kind) {
        case MathAtomKind::Character: return glyph(glyphFor(atom.codepoint), style, color, &italic);
        case MathAtomKind::Group: return list(*atom.nucleus, style, color);
        case MathAtomKind::Fraction: return fraction(atom, style, color);
        case MathAtomKind::Radical: return radical(atom, style, color);
        case MathAtomKind::LeftRight: return leftRight(atom, style, color);
        case MathAtomKind::Text: return text(atom, style, color);
        case MathAtomKind::Table: return table(*atom.table, style, color);
        case MathAtomKind::Space: break;
    }
    return MathBox{0, 0, 0, items_.size(), items_.size()};
}

// TeX's rule 18, with the MATH table's shifts, gaps and drops.
MathBox MathLayouter::attachScripts(MathBox nucleus, const MathAtom& atom, MathStyle style, MathColor color, bool isCharacter, double italic) {
    double up = isCharacter ? 0 : nucleus.ascent - constant(HB_OT_MATH_CONSTANT_SUPERSCRIPT_BASELINE_DROP_MAX, style);
    double down = isCharacter ? 0 : nucleus.descent + constant(HB_OT_MATH_CONSTANT_SUBSCRIPT_BASELINE_DROP_MIN, style);
    MathBox result = nucleus;
    double end = nucleus.width;
    MathBox sup;
    MathBox sub;
    if (atom.superscript) {
        sup = list(*atom.superscript, style.superscriptStyle(), color);
        double shiftUp = constant(style.cramped ? HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP_CRAMPED
                                                : HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP, style);
        up = std::max({up, shiftUp, sup.descent + constant(HB_OT_MATH_CONSTANT_SUPERSCRIPT_BOTTOM_MIN, style)});
    }
    if (atom.subscript) {
        sub = list(*atom.subscript, style.subscriptStyle(), color);
        down = std::max(down, constant(HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN, style));
        if (!atom.superscript) {
            down = std::max(down, sub.ascent - constant(HB_OT_MATH_CONSTANT_SUBSCRIPT_TOP_MAX, style));
        }
    }
    if (atom.superscript && atom.subscript) {
        double gap = (up - sup.descent) - (sub.ascent - down);
        double minGap = constant(HB_OT_MATH_CONSTANT_SUB_SUPERSCRIPT_GAP_MIN, style);
        if (gap < minGap) {
            down += minGap - gap;
            double lift = constant(HB_OT_MATH_CONSTANT_SUPERSCRIPT_BOTTOM_MAX_WITH_SUBSCRIPT, style) -
                          (up - sup.descent);
            if (lift > 0) {
                up += lift;
                down -= lift;
            }
        }
    }
    if (atom.superscript) {
        shift(sup, nucleus.width + italic, up);
        end = std::max(end, nucleus.width + italic + sup.width);
        result.ascent = std::max(result.ascent, up + sup.ascent);
        result.descent = std::max(result.descent, sup.descent - up);
    }
    if (atom.subscript) {
        shift(sub, nucleus.width, -down);
        end = std::max(end, nucleus.width + sub.width);
        result.ascent = std::max(result.ascent, sub.ascent - down);
        result.descent = std::max(result.descent, down + sub.descent);
    }
    result.width = end + constant(HB_OT_MATH_CONSTANT_SPACE_AFTER_SCRIPT, style);
    result.end = items_.size();
    return result;
}

// TeX's rule 15: numerator and denominator kept clear of the bar, the bar on the math axis.
MathBox MathLayouter::fraction(const MathAtom& atom, MathStyle style, MathColor color) {
    const bool display = style.level == MathStyleLevel::Display;
    MathBox box{0, 0, 0, items_.size(), 0};
    MathBox numerator = list(*atom.nucleus, style.numeratorStyle(), color);
    MathBox denominator = list(*atom.denominator, style.denominatorStyle(), color);
    const double axis = constant(HB_OT_MATH_CONSTANT_AXIS_HEIGHT, style);
    const double rule = constant(HB_OT_MATH_CONSTANT_FRACTION_RULE_THICKNESS, style);
    double up = constant(display ? HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_DISPLAY_STYLE_SHIFT_UP
                                 : HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_SHIFT_UP, style);
    double down = constant(display ? HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_DISPLAY_STYLE_SHIFT_DOWN
                                   : HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_SHIFT_DOWN, style);
    const double numeratorGap = constant(display ? HB_OT_MATH_CONSTANT_FRACTION_NUM_DISPLAY_STYLE_GAP_MIN
                                                 : HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_GAP_MIN, style);
    const double denominatorGap = constant(display ? HB_OT_MATH_CONSTANT_FRACTION_DENOM_DISPLAY_STYLE_GAP_MIN
                                                   : HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_GAP_MIN, style);
    up = std::max(up, axis + rule / 2 + numeratorGap + numerator.descent);
    down = std::max(down, denominator.ascent + denominatorGap - (axis - rule / 2));

    const double nullSpace = kNullDelimiterEm * size(style);
    const double inner = std::max(numerator.width, denominator.width);
    shift(numerator, nullSpace + (inner - numerator.width) / 2, up);
    shift(denominator, nullSpace + (inner - denominator.width) / 2, -down);
    MTDisplayItem bar;
    bar.kind = MTDisplayItem::Kind::Rule;
    bar.color = color;
    bar.x = nullSpace;
    bar.y = axis - rule / 2;
    bar.width = inner;
    bar.height = rule;
    items_.push_back(bar);

    box.width = inner + 2 * nullSpace;
    box.ascent = std::max(up + numerator.ascent, axis + rule / 2);
    box.descent = std::max(down + denominator.descent, rule / 2 - axis);
    box.end = items_.size();
    return box;
}

// TeX's rule 11: the sign grows to the radicand, its bar a fixed gap above the radicand.
MathBox MathLayouter::radical(const MathAtom& atom, MathStyle style, MathColor color) {
    MathBox box{0, 0, 0, items_.size(), 0};
    MathBox radicand = list(*atom.nucleus, style.cramp(), color);
    const double rule = constant(HB_OT_MATH_CONSTANT_RADICAL_RULE_THICKNESS, style);
    double gap = constant(style.level == MathStyleLevel::Display
                              ? HB_OT_MATH_CONSTANT_RADICAL_DISPLAY_STYLE_VERTICAL_GAP
                              : HB_OT_MATH_CONSTANT_RADICAL_VERTICAL_GAP, style);
    const double required = radicand.ascent + radicand.descent + gap + rule;
    const uint32_t shape = nextShape_++;
    MathBox sign{0, 0, 0, items_.size(), 0};
    StretchyGlyphBox stretched = appendStretchyGlyph(items_, font_, glyphFor(U'\u221A'), required,
                                                     size(style), color, shape, true);
    sign.end = items_.size();
    const double signHeight = stretched.ascent + stretched.descent;
    if (signHeight > required) gap += (signHeight - required) / 2;
    const double barBottom = radicand.ascent + gap;
    const double lift = barBottom + rule - stretched.ascent;  // the sign's top meets the bar's top
    shift(sign, 0, lift);
    shift(radicand, stretched.width, 0);
    MTDisplayItem bar;
    bar.kind = MTDisplayItem::Kind::Rule;
    bar.shape = shape;
    bar.color = color;
    bar.x = stretched.width;
    bar.y = barBottom;
    bar.width = radicand.width;
    bar.height = rule;
    items_.push_back(bar);

    box.width = stretched.width + radicand.width;
    box.ascent = barBottom + rule + constant(HB_OT_MATH_CONSTANT_RADICAL_EXTRA_ASCENDER, style);
    box.descent = std::max(radicand.descent, stretched.descent - lift);
    box.end = items_.size();
    return box;
}

// TeX's rule 19: delimiters centred on the math axis, at least max(δ·f/500, 2δ − s) tall, where
// δ is the larger distance of the contents from the axis. The shortfall is a length of the text
// size in every style, as TeX's is a fixed dimension.
MathBox MathLayouter::leftRight(const MathAtom& atom, MathStyle style, MathColor color) {
    MathBox box{0, 0, 0, items_.size(), 0};
    MathBox inner = list(*atom.nucleus, style, color);
    const double axis = constant(HB_OT_MATH_CONSTANT_AXIS_HEIGHT, style);
    const double delta = std::max(inner.ascent - axis, inner.descent + axis);
    const double required = std::max(delta * kDelimiterFactor / 500,
                                     2 * delta - kDelimiterShortfallEm * baseSize_);
    box.ascent = inner.ascent;
    box.descent = inner.descent;
    auto delimiter = [&](char32_t codepoint) {
        if (codepoint == 0) {
            return MathBox{kNullDelimiterEm * size(style), 0, 0, items_.size(), items_.size()};
        }
        MathBox piece{0, 0, 0, items_.size(), 0};
        StretchyGlyphBox stretched = appendStretchyGlyph(items_, font_, glyphFor(codepoint), required,
                                                         size(style), color, nextShape_++, false);
        piece.end = items_.size();
        const double lift = axis - (stretched.ascent - stretched.descent) / 2;
        shift(piece, 0, lift);
        piece.width = stretched.width;
        piece.ascent = stretched.ascent + lift;
        piece.descent = stretched.descent - lift;
        box.ascent = std::max(box.ascent, piece.ascent);
        box.descent = std::max(box.descent, piece.descent);
        return piece;
    };
    MathBox left = delimiter(atom.leftDelimiter);
    shift(inner, left.width, 0);
    MathBox right = delimiter(atom.rightDelimiter);
    shift(right, left.width + inner.width, 0);
    box.width = left.width + inner.width + right.width;
    box.end = items_.size();
    return box;
}

// Rows of right- and left-aligned column pairs, as in plain TeX's \eqalign: the left cell of
// a pair ends where the right one begins, so "x &= 1" lines up on the relation.
MathBox MathLayouter::table(const MathTable& table, MathStyle style, MathColor color) {
    MathBox box{0, 0, 0, items_.size(), 0};
    const MathStyle cellStyle = style.level <= MathStyleLevel::Text ? MathStyle{} : style;
    const double em = size(style);
    std::vector<std::vector<MathBox>> cells(table.rows.size());
    std::vector<double> columnWidths;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        for (size_t c = 0; c < table.rows[r].size(); ++c) {
            cells[r].push_back(list(table.rows[r][c], cellStyle, color, c % 2 == 1));
            if (columnWidths.size() <= c) columnWidths.push_back(0);
            columnWidths[c] = std::max(columnWidths[c], cells[r][c].width);
        }
    }
    std::vector<double> columnX(columnWidths.size(), 0);
    double x = 0;
    for (size_t c = 0; c < columnWidths.size(); ++c) {
        if (c > 0 && c % 2 == 0) x += kColumnPairGapEm * em;
        columnX[c] = x;
        x += columnWidths[c];
    }
    double baseline = 0;
    double firstAscent = 0;
    double previousDescent = 0;
    for (size_t r = 0; r < cells.size(); ++r) {
        double ascent = 0;
        double descent = 0;
        for (const MathBox& cell : cells[r]) {
            ascent = std::max(ascent, cell.ascent);
            descent = std::max(descent, cell.descent);
        }
        if (r == 0) {
            firstAscent = ascent;
        } else {
            baseline -= std::max(kBaselineSkipEm * em, previousDescent + ascent + kLineSkipEm * em) +
                        kJotEm * em;
        }
        for (size_t c = 0; c < cells[r].size(); ++c) {
            MathBox& cell = cells[r][c];
            double cellX = c % 2 == 0 ? columnX[c] + columnWidths[c] - cell.width : columnX[c];
            shift(cell, cellX, baseline);
        }
        previousDescent = descent;
    }
    const double total = firstAscent - baseline + previousDescent;
    const double axis = constant(HB_OT_MATH_CONSTANT_AXIS_HEIGHT, style);
    box.end = items_.size();
    shift(box, 0, axis + total / 2 - firstAscent);
    box.width = x;
    box.ascent = axis + total / 2;
    box.descent = total / 2 - axis;
    return box;
}

}  // namespace iosmath
