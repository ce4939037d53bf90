#include "platform/render/TextDrawing.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/foundation/NSBundle.hpp"
#include "platform/render/FontResolver.hpp"
#include "platform/uikit/UITraitCollection.hpp"

namespace render {
namespace {

// One Pango context per thread, set for drawing at any scale: no hinting and no rounding of
// glyph positions, so text keeps its shape and width whatever the device scale.
PangoContext* sharedContext()
{
    struct Holder {
        PangoContext* context = nullptr;
        Holder()
        {
            context = pango_font_map_create_context(pango_cairo_font_map_get_default());
            cairo_font_options_t* options = cairo_font_options_create();
            cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
            cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
            cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
            pango_cairo_context_set_font_options(context, options);
            cairo_font_options_destroy(options);
            pango_context_set_round_glyph_positions(context, FALSE);
            // The texts' language picks among fonts that cover the same characters: Japanese
            // kanji take Japanese glyph forms rather than Chinese ones, as on the phone.
            std::string language = NSBundle::mainBundle().preferredLocalization();
            if (!language.empty()) {
                pango_context_set_language(context, pango_language_from_string(language.c_str()));
            }
        }
        ~Holder() { g_object_unref(context); }
    };
    thread_local Holder holder;
    return holder.context;
}

std::string validUTF8(const std::string& text)
{
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        return text;
    }
    gchar* repaired = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string out(repaired);
    g_free(repaired);
    return out;
}

guint16 channel(double value)
{
    return static_cast<guint16>(std::lround(std::clamp(value, 0.0, 1.0) * 65535));
}

PangoAlignment pangoAlignment(NSTextAlignment alignment)
{
    switch (alignment) {
    case NSTextAlignment::Center: return PANGO_ALIGN_CENTER;
    case NSTextAlignment::Right: return PANGO_ALIGN_RIGHT;
    default: return PANGO_ALIGN_LEFT;
    }
}

PangoEllipsizeMode ellipsizeMode(NSLineBreakMode mode)
{
    switch (mode) {
    case NSLineBreakMode::ByTruncatingHead: return PANGO_ELLIPSIZE_START;
    case NSLineBreakMode::ByTruncatingTail: return PANGO_ELLIPSIZE_END;
    default: return PANGO_ELLIPSIZE_NONE;
    }
}

constexpr double smallestShrink = 1.0 / 3.0;

} // namespace

CGColor resolvedColor(const UIColor& color)
{
    return color.resolvedColorWithTraitCollection(UITraitCollection::currentTraitCollection()).cgColor();
}

TextLayout::TextLayout(const std::string& text, const TextStyle& style, double width)
{
    setUp(validUTF8(text), style, width, nullptr);
}

TextLayout::TextLayout(const NSAttributedString& text, const TextStyle& style, double width)
{
    std::string valid = validUTF8(text.string());
    AttrList attributes(pango_attr_list_new());
    for (const auto& run : text.runs()) {
        // Ranges count bytes; a repaired text may be shorter, so every range is kept inside it.
        auto start = static_cast<guint>(std::min(run.location, valid.size()));
        auto end = static_cast<guint>(std::min(run.location + run.length, valid.size()));
        if (run.attributes.font) {
            FontDescription description = FontResolver::descriptionFor(*run.attributes.font);
            PangoAttribute* attribute = pango_attr_font_desc_new(description.get());
            attribute->start_index = start;
            attribute->end_index = end;
            pango_attr_list_insert(attributes.get(), attribute);
        }
        if (run.attributes.foregroundColor) {
            CGColor c = resolvedColor(*run.attributes.foregroundColor);
            PangoAttribute* colour = pango_attr_foreground_new(channel(c.red), channel(c.green), channel(c.blue));
            colour->start_index = start;
            colour->end_index = end;
            pango_attr_list_insert(attributes.get(), colour);
            PangoAttribute* alpha = pango_attr_foreground_alpha_new(std::max<guint16>(1, channel(c.alpha)));
            alpha->start_index = start;
            alpha->end_index = end;
            pango_attr_list_insert(attributes.get(), alpha);
        }
    }
    setUp(valid, style, width, attributes.get());
}

void TextLayout::setUp(const std::string& validText, const TextStyle& style, double width, PangoAttrList* attributes)
{
    style_ = style;
    text_ = validText;
    width_ = std::isfinite(width) ? std::max(0.0, width) : 0.0;
    layout_.reset(pango_layout_new(sharedContext()));
    PangoLayout* layout = layout_.get();
    pango_layout_set_text(layout, text_.c_str(), static_cast<int>(text_.size()));
    if (attributes) {
        pango_layout_set_attributes(layout, attributes);
    }
    FontDescription description = FontResolver::descriptionFor(style.font);
    pango_layout_set_font_description(layout, description.get());
    pango_layout_set_alignment(layout, pangoAlignment(style.alignment));
    pango_layout_set_justify(layout, style.alignment == NSTextAlignment::Justified);

    bool singleLine = style.numberOfLines == 1;
    PangoEllipsizeMode ellipsize = ellipsizeMode(style.lineBreakMode);
    if (width_ <= 0) {
        manualAlignment_ = true;
        return;
    }
    if (singleLine && style.shrinkToFitWidth) {
        int textWidth = 0;
        pango_layout_get_size(layout, &textWidth, nullptr);
        double natural = textWidth / double(PANGO_SCALE);
        if (natural > width_) {
            double shrink = std::max(smallestShrink, width_ / natural);
            FontDescription smaller = FontResolver::descriptionFor(style.font, style.font.pointSize() * shrink);
            pango_layout_set_font_description(layout, smaller.get());
        }
    }
    if (singleLine && ellipsize == PANGO_ELLIPSIZE_NONE) {
        // A clipped single line keeps going past the edge; it is aligned by hand.
        manualAlignment_ = true;
        return;
    }
    pango_layout_set_width(layout, static_cast<int>(width_ * PANGO_SCALE));
    pango_layout_set_wrap(layout, style.lineBreakMode == NSLineBreakMode::ByCharWrapping ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
    // Pango ellipsizes an unbounded paragraph to one line; a label without a line limit wraps.
    pango_layout_set_ellipsize(layout, style.numberOfLines == 0 ? PANGO_ELLIPSIZE_NONE : ellipsize);
    if (style.numberOfLines > 0 && ellipsize != PANGO_ELLIPSIZE_NONE) {
        pango_layout_set_height(layout, -style.numberOfLines);
    }
}

CGSize TextLayout::size() const
{
    PangoRectangle logical{};
    pango_layout_get_extents(layout_.get(), nullptr, &logical);
    double height = logical.height / double(PANGO_SCALE);
    int lineCount = pango_layout_get_line_count(layout_.get());
    if (style_.numberOfLines > 0 && lineCount > style_.numberOfLines) {
        // Wrapping modes without ellipsis show only the first lines.
        PangoLayoutIter* iter = pango_layout_get_iter(layout_.get());
        for (int i = 1; i < style_.numberOfLines; ++i) {
            pango_layout_iter_next_line(iter);
        }
        int y1 = 0;
        pango_layout_iter_get_line_yrange(iter, nullptr, &y1);
        pango_layout_iter_free(iter);
        height = y1 / double(PANGO_SCALE);
    }
    double width = (logical.x + logical.width) / double(PANGO_SCALE);
    if (!manualAlignment_) {
        width = std::min(width, width_);
    }
    return {std::ceil(width), std::ceil(height)};
}

void TextLayout::drawInRect(cairo_t* cr, const CGRect& rect) const
{
    CGSize used = size();
    CairoStateGuard state(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    double x = rect.origin.x;
    if (manualAlignment_) {
        double slack = rect.size.width - used.width;
        if (style_.alignment == NSTextAlignment::Center) {
            x += slack / 2;
        } else if (style_.alignment == NSTextAlignment::Right) {
            x += slack;
        }
    }
    double y = rect.origin.y + (rect.size.height - used.height) / 2;
    cairo_rectangle(cr, x, y, manualAlignment_ ? used.width + rect.size.width : width_, used.height);
    cairo_clip(cr);
    cairo_move_to(cr, x, y);
    cairo_set_source_rgba(cr, style_.color.red, style_.color.green, style_.color.blue, style_.color.alpha);
    pango_cairo_update_layout(cr, layout_.get());
    pango_cairo_show_layout(cr, layout_.get());
}

double TextLayout::xOfCharacter(long offset) const
{
    long characters = g_utf8_strlen(text_.c_str(), static_cast<gssize>(text_.size()));
    offset = std::clamp(offset, 0L, characters);
    const char* at = g_utf8_offset_to_pointer(text_.c_str(), offset);
    PangoRectangle strong{};
    pango_layout_get_cursor_pos(layout_.get(), static_cast<int>(at - text_.c_str()), &strong, nullptr);
    return strong.x / double(PANGO_SCALE);
}

CGSize measureText(const std::string& text, const TextStyle& style, double width)
{
    return TextLayout(text, style, width).size();
}

} // namespace render
