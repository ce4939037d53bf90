#include "platform/render/IconGlyphs.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/render/CairoHandles.hpp"
#include "platform/render/FontResolver.hpp"

namespace render {
namespace {

struct IconEntry {
    std::string_view name;
    char32_t codePoint;
};

// Code points of the Material Icons font.
constexpr std::array icons{
    IconEntry{"arrow_back", 0xE5C4}, IconEntry{"check", 0xE5CA},       IconEntry{"menu", 0xE5D2},
    IconEntry{"share", 0xE80D},      IconEntry{"edit", 0xE3C9},        IconEntry{"clear", 0xE14C},
    IconEntry{"close", 0xE5CD},      IconEntry{"delete", 0xE872},      IconEntry{"lock", 0xE897},
    IconEntry{"lock_open", 0xE898},  IconEntry{"chevron_left", 0xE5CB}, IconEntry{"chevron_right", 0xE5CC},
    IconEntry{"play_arrow", 0xE037}, IconEntry{"info", 0xE88E},        IconEntry{"help", 0xE887},
    IconEntry{"cancel", 0xE5C9},     IconEntry{"star", 0xE838},
};

// The system symbols the application uses, as the nearest Material icon.
constexpr std::array<std::pair<std::string_view, std::string_view>, 16> symbols{{
    {"lock.fill", "lock"},
    {"lock.open.fill", "lock_open"},
    {"lock", "lock"},
    {"lock.open", "lock_open"},
    {"xmark", "close"},
    {"xmark.circle.fill", "cancel"},
    {"checkmark", "check"},
    {"square.and.arrow.up", "share"},
    {"trash", "delete"},
    {"pencil", "edit"},
    {"line.3.horizontal", "menu"},
    {"chevron.left", "chevron_left"},
    {"chevron.right", "chevron_right"},
    {"play.fill", "play_arrow"},
    {"info.circle", "info"},
    {"questionmark.circle", "help"},
}};

std::optional<char32_t> lookUp(std::string_view icon)
{
    for (const auto& entry : icons) {
        if (entry.name == icon) {
            return entry.codePoint;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<char32_t> IconGlyphs::codePointFor(const std::string& imageName)
{
    std::string_view name = imageName;
    for (const auto& [symbol, icon] : symbols) {
        if (symbol == name) {
            return lookUp(icon);
        }
    }
    // Framework icons are named "ic_<icon>_white" (or another colour suffix).
    if (name.starts_with("ic_")) {
        name.remove_prefix(3);
        auto suffix = name.rfind('_');
        if (suffix != std::string_view::npos) {
            if (auto found = lookUp(name.substr(0, suffix))) {
                return found;
            }
        }
        return lookUp(name);
    }
    return std::nullopt;
}

bool IconGlyphs::draw(cairo_t* cr, const std::string& imageName, const CGRect& rect, const CGColor& color)
{
    auto codePoint = codePointFor(imageName);
    if (!codePoint || !FontResolver::isFamilyInstalled("Material Icons")) {
        return false;
    }
    double side = std::min(rect.width(), rect.height());
    if (side <= 0) {
        return true;
    }
    char utf8[8] = {};
    int length = g_unichar_to_utf8(static_cast<gunichar>(*codePoint), utf8);

    PangoLayoutHandle layout(pango_cairo_create_layout(cr));
    FontDescription font(pango_font_description_from_string("Material Icons"));
    pango_font_description_set_absolute_size(font.get(), side * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), font.get());
    pango_layout_set_text(layout.get(), utf8, length);
    // The glyph is placed by its logical box, which the font makes the icon's square.
    PangoRectangle logical{};
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    double w = logical.width / double(PANGO_SCALE);
    double h = logical.height / double(PANGO_SCALE);
    CairoStateGuard state(cr);
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
    cairo_move_to(cr, rect.midX() - w / 2, rect.midY() - h / 2);
    pango_cairo_show_layout(cr, layout.get());
    return true;
}

} // namespace render
