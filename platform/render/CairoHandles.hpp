#pragma once

#include <memory>

#include <cairo.h>
#include <pango/pangocairo.h>

// Owning handles for the C objects of Cairo and Pango, so every exit path releases them.
namespace render {

struct CairoContextRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoPathRelease {
    void operator()(cairo_path_t* path) const { cairo_path_destroy(path); }
};
struct GObjectRelease {
    void operator()(void* object) const { g_object_unref(object); }
};
struct FontDescriptionRelease {
    void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
};
struct AttrListRelease {
    void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};

using CairoContext = std::unique_ptr<cairo_t, CairoContextRelease>;
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using CairoPath = std::unique_ptr<cairo_path_t, CairoPathRelease>;
using PangoLayoutHandle = std::unique_ptr<PangoLayout, GObjectRelease>;
using FontDescription = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;
using AttrList = std::unique_ptr<PangoAttrList, AttrListRelease>;

// Saves the context's state and restores it when the scope ends.
class CairoStateGuard {
public:
    explicit CairoStateGuard(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~CairoStateGuard() { cairo_restore(cr_); }
    CairoStateGuard(const CairoStateGuard&) = delete;
    CairoStateGuard& operator=(const CairoStateGuard&) = delete;

private:
    cairo_t* cr_;
};

} // namespace render
