#pragma once

#include <pango/pangocairo.h>

#include <thread>
#include <vector>

#include "platform/uikit/UIFont.hpp"

namespace render {

// Opening a window costs the display server's round trips, and the first frame then costs as
// much again in loading fonts: fontconfig's configuration, the faces, their shaping tables and
// a sorted fallback list for every font. FontWarmUp loads the given fonts and the icon font on a
// side thread while the window opens, into a font map of its own, which the main thread takes
// over before its first text. Pango's font maps are not shared between threads, so there is a
// strict hand-over: the side thread is done with the map before anyone else touches it.
class FontWarmUp {
public:
    // The fonts are set and drawn at the window's scale, so their glyphs are ready too.
    FontWarmUp(std::vector<UIFont> fonts, double scale);
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Waits for the side thread and makes its font map the calling thread's default, so the
    // text this thread lays out from now on finds the fonts loaded. Called before the thread
    // lays out any text; a later call changes nothing for text already set up.
    void handOver();

private:
    std::thread thread_;
    PangoFontMap* fontMap_ = nullptr;
};

} // namespace render
