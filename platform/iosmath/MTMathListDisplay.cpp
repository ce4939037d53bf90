#include "platform/iosmath/MTMathListDisplay.hpp"

#include "platform/iosmath/MathFont.hpp"

#include <algorithm>
#include <cmath>

namespace {

void setColor(cairo_t* cr, iosmath::MathColor color) {
    cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                          (color & 0xFF) / 255.0, ((color >> 24) & 0xFF) / 255.0);
}

const cairo_font_options_t* fontOptions() {
    // Unhinted outlines and metrics keep glyphs where the layout put them relative to rules.
    static cairo_font_options_t* options = [] {
        cairo_font_options_t* made = cairo_font_options_create();
        cairo_font_options_set_hint_style(made, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(made, CAIRO_HINT_METRICS_OFF);
        return made;
    }();
    return options;
}

struct Box {
    double left, top, right, bottom;
};

// Glyph positions end up on whole device pixels, so rules are put on pixel edges as well, and
// never thinner than one pixel, lest a thin bar turn into a grey smear.
Box snappedToPixels(cairo_t* cr, Box box) {
    cairo_user_to_device(cr, &box.left, &box.top);
    cairo_user_to_device(cr, &box.right, &box.bottom);
    double y0 = std::round(std::min(box.top, box.bottom));
    double y1 = std::round(std::max(box.top, box.bottom));
    if (y1 - y0 < 1) y1 = y0 + 1;
    double x0 = std::round(std::min(box.left, box.right));
    double x1 = std::max(x0 + 1, std::round(std::max(box.left, box.right)));
    cairo_device_to_user(cr, &x0, &y0);
    cairo_device_to_user(cr, &x1, &y1);
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

// TeX draws nothing for a rule without width or height, such as the bar of an empty fraction.
bool isEmptyRule(const MTDisplayItem& item) { return item.width <= 0 || item.height <= 0; }

Box ruleBox(const MTDisplayItem& rule, double x, double y) {
    return {x + rule.x, y - rule.y - rule.height, x + rule.x + rule.width, y - rule.y};
}

// A rectangle whose outline runs the same way as the font's outer contours.
void rectangleLikeGlyphs(cairo_t* cr, double left, double top, double right, double bottom,
                         bool clockwiseInFont) {
    if (clockwiseInFont) {
        cairo_rectangle(cr, left, top, right - left, bottom - top);
        return;
    }
    cairo_move_to(cr, left, top);
    cairo_line_to(cr, left, bottom);
    cairo_line_to(cr, right, bottom);
    cairo_line_to(cr, right, top);
    cairo_close_path(cr);
}

// Fills items [begin, end), which share one shape number, as one path. A radical's bar is
// snapped as any rule is, and the sign moves with it so that the two still meet.
void fillShape(cairo_t* cr, const std::vector<MTDisplayItem>& items, size_t begin, size_t end,
               double x, double y, bool clockwiseInFont) {
    const MTDisplayItem* bar = nullptr;
    for (size_t k = begin; k < end; ++k) {
        if (items[k].kind == MTDisplayItem::Kind::Rule && !isEmptyRule(items[k])) bar = &items[k];
    }
    Box barBox{};
    double dx = 0;
    double dy = 0;
    if (bar != nullptr) {
        Box exact = ruleBox(*bar, x, y);
        barBox = snappedToPixels(cr, exact);
        dx = barBox.left - exact.left;
        dy = barBox.top - exact.top;
    }
    cairo_new_path(cr);
    for (size_t k = begin; k < end; ++k) {
        const MTDisplayItem& piece = items[k];
        if (piece.kind != MTDisplayItem::Kind::Glyph) continue;
        // The path keeps device coordinates, so it outlives the transformation.
        cairo_save(cr);
        cairo_translate(cr, x + dx + piece.x, y + dy - piece.y);
        cairo_scale(cr, 1, piece.stretch);
        cairo_set_font_size(cr, piece.size);
        cairo_glyph_t glyph{piece.glyph, 0, 0};
        cairo_glyph_path(cr, &glyph, 1);
        cairo_restore(cr);
    }
    if (bar != nullptr) {
        rectangleLikeGlyphs(cr, barBox.left, barBox.top, barBox.right, barBox.bottom, clockwiseInFont);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
}

}  // namespace

void MTMathListDisplay::draw(cairo_t* cr, double x, double y, iosmath::MathColor textColor) const {
    const iosmath::MathFont* font = iosmath::MathFont::shared();
    if (cr == nullptr || font == nullptr || items.empty()) return;
    cairo_save(cr);
    cairo_set_font_face(cr, font->cairoFace());
    cairo_set_font_options(cr, fontOptions());
    auto colorOf = [&](const MTDisplayItem& item) {
        return item.color == iosmath::kInheritColor ? textColor : item.color;
    };

    thread_local std::vector<cairo_glyph_t> run;
    size_t i = 0;
    while (i < items.size()) {
        const MTDisplayItem& first = items[i];
        setColor(cr, colorOf(first));
        if (first.shape != 0) {
            size_t end = i;
            while (end < items.size() && items[end].shape == first.shape) ++end;
            fillShape(cr, items, i, end, x, y, font->outlinesClockwise());
            i = end;
        } else if (first.kind == MTDisplayItem::Kind::Rule) {
            if (!isEmptyRule(first)) {
                Box box = snappedToPixels(cr, ruleBox(first, x, y));
                cairo_new_path(cr);
                cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
                cairo_fill(cr);
            }
            ++i;
        } else {
            run.clear();
            size_t end = i;
            for (; end < items.size(); ++end) {
                const MTDisplayItem& item = items[end];
                if (item.kind != MTDisplayItem::Kind::Glyph || item.shape != 0 ||
                    item.size != first.size || colorOf(item) != colorOf(first)) {
                    break;
                }
                run.push_back({item.glyph, x + item.x, y - item.y});
            }
            cairo_set_font_size(cr, first.size);
            cairo_show_glyphs(cr, run.data(), static_cast<int>(run.size()));
            i = end;
        }
    }
    cairo_restore(cr);
}
