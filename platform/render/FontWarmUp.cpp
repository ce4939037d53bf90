#include "platform/render/FontWarmUp.hpp"

#include <sys/resource.h>
#include <unistd.h>

#include <cmath>

#include "platform/render/CairoHandles.hpp"
#include "platform/render/IconGlyphs.hpp"
#include "platform/render/TextDrawing.hpp"

namespace render {
namespace {

constexpr int sideThreadNiceness = 10;

// Large enough that no glyph of the sample falls outside, where drawing would skip it.
const CGRect sampleArea{0, 0, 400, 60};

} // namespace

FontWarmUp::FontWarmUp(std::vector<UIFont> fonts, double scale)
{
    thread_ = std::thread([this, fonts = std::move(fonts), scale] {
        // Below the main thread, which opens the window meanwhile: on Linux a thread has a
        // niceness of its own.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), sideThreadNiceness);
        fontMap_ = pango_cairo_font_map_new();
        // This thread's text goes through the new map; the thread's own references to it end
        // with the thread.
        pango_cairo_font_map_set_default(PANGO_CAIRO_FONT_MAP(fontMap_));
        CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(std::ceil(sampleArea.size.width * scale)),
                                                                static_cast<int>(std::ceil(sampleArea.size.height * scale))));
        cairo_surface_set_device_scale(surface.get(), scale, scale);
        CairoContext cr(cairo_create(surface.get()));
        for (const UIFont& font : fonts) {
            TextStyle style;
            style.font = font;
            // Setting and drawing digits and letters loads the face, its shaping tables, the
            // fallback list and the glyphs that later text in this font reuses.
            TextLayout("0123456789 .,/+-= Aa", style, 0).drawInRect(cr.get(), sampleArea);
        }
        // The toolbars' and buttons' icons come from one icon font.
        IconGlyphs::draw(cr.get(), "line.3.horizontal", CGRect{0, 0, 24, 24}, CGColor{0, 0, 0, 1});
    });
}

FontWarmUp::~FontWarmUp()
{
    if (thread_.joinable()) {
        thread_.join();
    }
    if (fontMap_) {
        g_object_unref(fontMap_);
    }
}

void FontWarmUp::handOver()
{
    if (thread_.joinable()) {
        thread_.join();
    }
    if (fontMap_) {
        pango_cairo_font_map_set_default(PANGO_CAIRO_FONT_MAP(fontMap_));
        g_object_unref(fontMap_);
        fontMap_ = nullptr;
    }
}

} // namespace render
